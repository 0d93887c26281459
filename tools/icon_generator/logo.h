// The Vestora mark: a rounded violet-to-pink badge carrying a white two-tone "V" ribbon with a
// cut gem resting in its notch.
#pragma once

#include <QImage>

namespace vestora::icon {

// The mark drawn at size x size pixels, as QImage::Format_ARGB32 (straight alpha).
//
// The mark is rasterised here rather than with QPainter: every pixel is the average of a fixed
// grid of point samples taken in double precision, so the result is the same on every machine
// whatever vector instructions the toolkit's own painter would pick. Small sizes drop the
// details that would only blur: the gem and the V's shadow below 32 pixels, the gloss and the
// rim below 48, the glint below 128.
QImage DrawLogo(int size);

}  // namespace vestora::icon
