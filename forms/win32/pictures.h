// Cell pictures, decoded by the platform: JPEG and GIF (of an animated GIF, its first frame) come
// out as a 32-bit bitmap of their natural size.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "forms/win32/windows_api.h"

namespace vestora::win32 {

class Picture {
 public:
  Picture() = default;
  Picture(HBITMAP bitmap, SIZE size) : bitmap_(bitmap), size_(size) {}
  ~Picture();
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  bool IsNull() const { return bitmap_ == nullptr; }
  HBITMAP Bitmap() const { return bitmap_; }
  SIZE Size() const { return size_; }

 private:
  HBITMAP bitmap_ = nullptr;
  SIZE size_{};
};

// A null picture when the bytes are no picture the platform can read.
Picture DecodePicture(std::span<const std::byte> encoded);

// The embedded picture of that file name; throws forms::Failure when it is missing or cannot be
// decoded.
Picture LoadPicture(const std::string& fileName);

}  // namespace vestora::win32
