#pragma once

#include <QImage>

// The pixel art built into the program.
QImage WindowIconImage();   // title bar of the main window, 32 x 32
QImage ProgramIconImage();  // the application's own icon, 32 x 32, partly transparent
QImage AideGlyph();         // 32 x 16: enabled image left, disabled right
QImage OkGlyph();           // 32 x 16: enabled image left, disabled right
