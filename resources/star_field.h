#pragma once

#include <QImage>

// A portrait photograph of a star field: dark slate-blue sky darkening to the
// corners, faint stars drawn out into short streaks, a dozen brighter
// blue-white stars and one bright haloed star upper right of centre. Rendered
// the same way every time.
QImage BuildStarField();
