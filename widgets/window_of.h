#pragma once

class QObject;
class QWidget;

// The top-level widget that a window of the window system belongs to, or null.
QWidget *WidgetOfWindow(const QObject *window);
