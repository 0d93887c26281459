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
  QByteArray format;          // "jpeg" or "gif" after the file's name; a hint, the bytes decide
  bool inExecutable = false;  // the bytes are the executable's own, mapped from its file
};

// The first frame of a JPEG or GIF file at its natural size, opaque; a null image when the bytes
// are no picture. The format, when given, spares the decoder trying every other one first.
QImage DecodePicture(const QByteArray& encoded, const QByteArray& format = {});

// The same for a picture a window keeps. Bytes that lie in the executable are let go of after
// they are read: the system reads them from the file again at the next paint, and a window that
// is not painted holds none of its pictures' bytes in memory.
QImage DecodePicture(const EncodedPicture& picture);

// The size of the picture the bytes hold, read from its header without decoding its pixels; none
// when the bytes are no picture that can be decoded.
std::optional<QSize> DecodableSize(const QByteArray& encoded, const QByteArray& format = {});

// The embedded picture of that file name, checked to be decodable. Throws forms::Failure when
// there is none or it cannot be decoded. The embedded files do not change while the program runs:
// a picture found once is not looked up and checked again.
EncodedPicture FindPicture(const std::string& fileName);

}  // namespace vestora::qt
