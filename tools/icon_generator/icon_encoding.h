// The Windows icon formats: icon images as stored in .ico files and RT_ICON resources, the .ico
// file that holds them, and the RT_GROUP_ICON directory that names them in a resource script.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace vestora::icon {

// One icon image in its stored form: a BITMAPINFOHEADER whose height counts the colour bitmap and
// the mask, the 256-colour palette (8 bits per pixel only), the bottom-up colour bitmap and the
// 1-bit AND mask, every row padded to 4 bytes. No PNG.
struct IconImage {
  int size;
  int bitCount;
  QByteArray data;
};

// Encodes a square QImage::Format_ARGB32 picture with 8 or 32 bits per pixel.
//
// 32 bits keep the alpha channel as it is, and the mask marks the fully transparent pixels.
// 8 bits have no alpha: pixels less than half opaque become transparent (mask bit set, colour
// index 0, which is black, so the colour bitmap adds nothing where the mask lets the background
// through) and the others take the nearest of at most 255 colours picked by median cut.
IconImage EncodeIconImage(const QImage& picture, int bitCount);

// An .ico file holding the images in the given order.
QByteArray IcoFile(const std::vector<IconImage>& images);

// The RT_GROUP_ICON resource for the images stored as RT_ICON resources firstId, firstId + 1, ...
QByteArray GroupIconResource(const std::vector<IconImage>& images, std::uint16_t firstId);

}  // namespace vestora::icon
