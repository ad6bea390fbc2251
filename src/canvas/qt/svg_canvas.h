#pragma once
// Off-screen targets for the Canvas: an SVG document through QSvgGenerator and a
// raster image. The screen and the printer paint through QPainterCanvas directly.

#include <functional>

#include <QByteArray>
#include <QImage>
#include <QString>

#include "canvas/canvas.h"

namespace tavo {

using DrawFunction = std::function<void(Canvas&)>;

// Draws into an SVG document of width x height view units and returns its bytes.
QByteArray DrawToSvg(int width, int height, const QString& title, const DrawFunction& draw);

// Draws into a white RGB image of width x height pixels, one view unit per pixel.
QImage DrawToImage(int width, int height, const DrawFunction& draw);

} // namespace tavo
