#include "window_of.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

QWidget *WidgetOfWindow(const QObject *window)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window)
            return top;
    return nullptr;
}
