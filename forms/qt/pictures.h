// Decoding of the embedded cell pictures.
#pragma once

#include <QByteArray>
#include <QImage>

namespace vestora::qt {

// The first frame of a JPEG or GIF file at its natural size, opaque; a null image when the bytes
// are no picture.
QImage DecodePicture(const QByteArray& encoded);

// Decodes the embedded picture of that file name. Throws forms::Failure when there is none.
QImage LoadPicture(const std::string& fileName);

}  // namespace vestora::qt
