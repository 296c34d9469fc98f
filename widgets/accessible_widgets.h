#pragma once

class QWidget;

// What screen readers learn of the controls that Qt lacks, through Qt's own
// accessibility framework: one factory, installed once on first use, makes
// the interface of each. The words (names, descriptions) are the owner's,
// set as the widgets' accessible name and description.
void InstallAccessibleWidgets();

// Tells assistive technology that a control went on or off.
void NotifyCheckedChange(QWidget *control);

// Keeps a child out of its window's accessible tree: a layer or a mark that
// repeats what a control already says.
void SetAccessibleDecoration(QWidget *widget);
bool IsAccessibleDecoration(const QWidget *widget);
