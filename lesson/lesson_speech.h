#pragma once

#include "lesson_state.h"

#include <QString>
#include <QStringList>
#include <functional>

// What a screen reader hears of the lesson: the strips' descriptions and the
// announcements of a pupil's gestures, worded from the lesson's state. The
// names of stars, elements and views are the controls' own.
using StarNamer = std::function<QString(Star)>;

QString EmissionStripDescription(const LessonState &state);
QString ContinuumDescription(const LessonState &state, const StarNamer &starName);

// An element shown or hidden, with the emission strip's description after it.
QString ElementAnnouncement(const QString &element, bool shown, const QString &emission);
// A star chosen or released, with the partner the choice released (or an
// empty name) and the continuum's description after it.
QString StarAnnouncement(const QString &star, bool chosen, const QString &releasedPartner,
                         const QString &continuum);
// The view entered, its stars, and the star the change released (or an empty name).
QString ViewAnnouncement(const QString &sky, const QStringList &stars, const QString &releasedStar);
