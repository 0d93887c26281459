// Cell pictures. A picture box keeps only the picture's compressed bytes, which lie in the
// executable's resources, mapped with it: the platform decodes them when the box paints, JPEG
// and GIF (of an animated GIF, its first frame) into a 32-bit bitmap of their natural size, and
// the bitmap goes again once drawn.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

// A decoded picture: a top-down 32-bit bitmap of its natural size, owned.
class DecodedPicture {
 public:
  DecodedPicture() = default;
  DecodedPicture(HBITMAP bitmap, SIZE size) : bitmap_(bitmap), size_(size) {}
  ~DecodedPicture();
  DecodedPicture(DecodedPicture&& other) noexcept;
  DecodedPicture& operator=(DecodedPicture&& other) noexcept;
  DecodedPicture(const DecodedPicture&) = delete;
  DecodedPicture& operator=(const DecodedPicture&) = delete;

  bool IsNull() const { return bitmap_ == nullptr; }
  HBITMAP Bitmap() const { return bitmap_; }
  SIZE Size() const { return size_; }

 private:
  HBITMAP bitmap_ = nullptr;
  SIZE size_{};
};

// A picture as a box holds it: its compressed bytes (not owned: they stay where they are, in the
// executable's resources) and its natural size.
class Picture {
 public:
  Picture() = default;
  Picture(std::span<const std::byte> encoded, SIZE size) : encoded_(encoded), size_(size) {}

  bool IsNull() const { return encoded_.empty(); }
  std::span<const std::byte> Encoded() const { return encoded_; }
  SIZE Size() const { return size_; }

 private:
  std::span<const std::byte> encoded_;
  SIZE size_{};
};

// A null picture when the bytes are no picture the platform can read. The decoder's own objects
// are released before it returns.
DecodedPicture DecodePicture(std::span<const std::byte> encoded);

// The embedded picture of that file name, decoded once to be sure that it can be; throws
// forms::Failure when it is missing or cannot be decoded.
Picture LoadPicture(const std::string& fileName);

// Draws the picture with its top-left corner at the device context's origin, at the size the
// layout gives it at that dpi: pixel for pixel at 96 dpi, else stretched to its size times
// dpi / 96 with halftone smoothing. It is decoded for the paint and let go after it.
void DrawPicture(HDC dc, const Picture& picture, UINT dpi);

// For the benchmarks, which weigh the paint time against the memory: how many decoded pictures
// are kept between paints, the ones drawn last (none unless this says otherwise).
void KeepDecodedPictures(std::size_t count);

// Decoded pictures kept between paints, and their bytes.
struct KeptPictures {
  int count = 0;
  std::size_t bytes = 0;
};
KeptPictures PicturesKept();

}  // namespace vestora::win32
