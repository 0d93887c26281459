#include "forms/win32/pictures.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <utility>

#include "forms/failure_texts.h"
#include "forms/runtime.h"
#include "forms/win32/resources.h"

namespace vestora::win32 {
namespace {

// Releases a COM object when it goes out of scope.
template <typename Interface>
struct Released {
  Interface* object = nullptr;
  ~Released() {
    if (object != nullptr) object->Release();
  }
};

IStream* StreamOver(std::span<const std::byte> bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (memory == nullptr) return nullptr;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  return stream;
}

// A top-down 32-bit copy of the bitmap: the decoder's own bitmap goes with its picture object.
Picture CopyBitmap(HBITMAP source) {
  BITMAP info{};
  if (GetObjectW(source, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
    return {};
  }
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (copy == nullptr) return {};

  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = SelectObject(from, source);
  HGDIOBJ oldTo = SelectObject(to, copy);
  const BOOL copied = BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  if (!copied) {
    DeleteObject(copy);
    return {};
  }
  return Picture(copy, SIZE{info.bmWidth, info.bmHeight});
}

}  // namespace

Picture::~Picture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

Picture::Picture(Picture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), size_(other.size_) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    size_ = other.size_;
  }
  return *this;
}

Picture DecodePicture(std::span<const std::byte> encoded) {
  if (encoded.empty()) return {};
  Released<IStream> stream{StreamOver(encoded)};
  if (stream.object == nullptr) return {};
  Released<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.object, static_cast<LONG>(encoded.size()), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture.object))) ||
      picture.object == nullptr) {
    return {};
  }
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (FAILED(picture.object->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture.object->get_Handle(&handle))) {
    return {};
  }
  return CopyBitmap(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
}

Picture LoadPicture(const std::string& fileName) {
  const std::span<const std::byte> encoded = EmbeddedFile(fileName);
  if (encoded.empty()) throw forms::Failure(forms::NoSuchPicture(fileName));
  Picture picture = DecodePicture(encoded);
  if (picture.IsNull()) throw forms::Failure(forms::UndecodablePicture(fileName));
  return picture;
}

}  // namespace vestora::win32
