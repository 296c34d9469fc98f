#pragma once

class QString;
class QWidget;

// Says a message to a screen reader at once, wherever the focus is: what a
// pupil's action changed elsewhere on the window. Where Qt has announcements
// (6.8 and later) it sends one; before that, a hidden notification of the
// window comes up with the message, which screen readers speak as it shows.
// Nothing is drawn, and nothing is done while no assistive technology listens.
void Announce(QWidget *source, const QString &message);
