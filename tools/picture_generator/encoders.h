// Turning drawn pictures into the stored file formats.
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace vestora::pictures {

// Baseline JFIF, three colour components.
QByteArray EncodeJpeg(const QImage& image, int quality);

// A GIF87a file: one opaque image, no extensions, not interlaced.
QByteArray EncodeGif87a(const QImage& image);

// A looping GIF89a animation. The first frame is opaque; every later frame leaves the pixels that
// did not change transparent (colour index 0) over the frame before it.
QByteArray EncodeGif89a(const std::vector<QImage>& frames, int delayHundredths);

}  // namespace vestora::pictures
