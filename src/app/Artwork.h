#pragma once

#include <QIcon>
#include <QImage>

// The program's own pictures, drawn rather than shipped: the window icon and the
// frame's background for each language.
QIcon ProgramIcon();
QImage PaintBackgroundPicture(int language, QSize size = QSize(1600, 1000));
