// Cell pictures. A picture box keeps only the picture's compressed bytes, which lie in the
// executable's resources, mapped with it: the platform decodes them, JPEG and GIF (of an animated
// GIF, its first frame), into a 32-bit bitmap of their natural size. The pictures drawn last are
// kept between paints as their pixels packed without loss (packed_pixels.h), within a budget
// that holds any one window's; a bitmap lives only while it is drawn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

// A decoded picture: a top-down 32-bit bitmap of its natural size, owned, and its pixels.
class DecodedPicture {
 public:
  DecodedPicture() = default;
  DecodedPicture(HBITMAP bitmap, SIZE size, std::uint8_t* bits)
      : bitmap_(bitmap), size_(size), bits_(bits) {}
  ~DecodedPicture();
  DecodedPicture(DecodedPicture&& other) noexcept;
  DecodedPicture& operator=(DecodedPicture&& other) noexcept;
  DecodedPicture(const DecodedPicture&) = delete;
  DecodedPicture& operator=(const DecodedPicture&) = delete;

  bool IsNull() const { return bitmap_ == nullptr; }
  HBITMAP Bitmap() const { return bitmap_; }
  SIZE Size() const { return size_; }
  // Blue, green, red and alpha, row after row from the top.
  std::span<std::uint8_t> Pixels() const {
    return {bits_, bits_ == nullptr ? 0 : static_cast<std::size_t>(size_.cx) * size_.cy * 4};
  }

 private:
  HBITMAP bitmap_ = nullptr;
  SIZE size_{};
  std::uint8_t* bits_ = nullptr;
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

// The embedded picture of that file name, decoded once to be sure that it can be, and kept for
// the window's first paint; throws forms::Failure when it is missing or cannot be decoded.
Picture LoadPicture(const std::string& fileName);

// Draws the picture with its top-left corner at the device context's origin, at the size the
// layout gives it at that dpi: pixel for pixel at 96 dpi, else stretched to its size times
// dpi / 96 with halftone smoothing. Its pixels come from those kept, else it is decoded and kept.
void DrawPicture(HDC dc, const Picture& picture, UINT dpi);

// Lets go of the picture's kept pixels: for a box that goes.
void ForgetPicture(const Picture& picture);

// The most the kept pictures take together: enough for the pictures of the window with the
// most, as they are packed.
inline constexpr std::size_t kKeptPicturesBudget = 768 * 1024;
// For the benchmarks, which weigh the paint time against the memory: another budget (0 keeps
// none).
void SetKeptPicturesBudget(std::size_t bytes);

// Pictures kept between paints, and the bytes they take packed.
struct KeptPictures {
  int count = 0;
  std::size_t bytes = 0;
};
KeptPictures PicturesKept();

}  // namespace vestora::win32
