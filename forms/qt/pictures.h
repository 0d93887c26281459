// Decoding of the embedded cell pictures.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>
#include <string>

namespace vestora::qt {

// A picture as a window keeps it: its encoded bytes where they lie in the executable, and its
// size. The pixels are decoded only to be drawn; the window's backing store holds them after.
struct EncodedPicture {
  QByteArray bytes;
  QSize size;
};

// The first frame of a JPEG or GIF file at its natural size, opaque; a null image when the bytes
// are no picture.
QImage DecodePicture(const QByteArray& encoded);

// The size of the picture the bytes hold, read from its header without decoding its pixels; none
// when the bytes are no picture that can be decoded.
std::optional<QSize> DecodableSize(const QByteArray& encoded);

// The embedded picture of that file name, checked to be decodable. Throws forms::Failure when
// there is none or it cannot be decoded.
EncodedPicture FindPicture(const std::string& fileName);

}  // namespace vestora::qt
