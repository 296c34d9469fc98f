#pragma once

class QWidget;

// Controls that only the Tab key reaches (focus policy Qt::TabFocus: a star,
// a strip, a label that acts) take the focus from the keyboard alone. When a
// focused control is disabled, Qt hands its focus on to the next control in
// the chain; this passes over those, to the control that a session with the
// mouse alone would have focused. A window's focusNextPrevChild calls it
// first: it returns false when the focus moves the ordinary way.
bool HandOnFocusPastKeyboardOnly(QWidget *window, bool next);
