#include "forms/win32/pictures.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <utility>

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
DecodedPicture CopyBitmap(HBITMAP source) {
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
  return DecodedPicture(copy, SIZE{info.bmWidth, info.bmHeight});
}

// The pictures decoded last, the newest first: a window repainted whole, uncovered or restored,
// finds its pictures here instead of decoding them again. Twelve is the most pictures a window
// has; kept at 4 bytes a pixel, they weigh about 1.5 MiB.
constexpr std::size_t kKeptPictures = 12;

struct Kept {
  const std::byte* encoded;
  DecodedPicture decoded;
};

std::deque<Kept>& KeptList() {
  static std::deque<Kept> kept;
  return kept;
}

// The decoded picture of those bytes, decoded now unless it is kept, and kept as the newest.
const DecodedPicture* Decoded(std::span<const std::byte> encoded) {
  std::deque<Kept>& kept = KeptList();
  const auto found = std::ranges::find(kept, encoded.data(), &Kept::encoded);
  if (found != kept.end()) {
    if (found != kept.begin()) {
      Kept newest = std::move(*found);
      kept.erase(found);
      kept.push_front(std::move(newest));
    }
    return &kept.front().decoded;
  }
  DecodedPicture decoded = DecodePicture(encoded);
  if (decoded.IsNull()) return nullptr;
  if (kept.size() >= kKeptPictures) kept.pop_back();
  kept.push_front(Kept{encoded.data(), std::move(decoded)});
  return &kept.front().decoded;
}

}  // namespace

DecodedPicture::~DecodedPicture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

DecodedPicture::DecodedPicture(DecodedPicture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), size_(other.size_) {}

DecodedPicture& DecodedPicture::operator=(DecodedPicture&& other) noexcept {
  if (this != &other) {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    size_ = other.size_;
  }
  return *this;
}

DecodedPicture DecodePicture(std::span<const std::byte> encoded) {
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
  if (encoded.empty()) throw forms::Failure("程序中没有图片“" + fileName + "”");
  const DecodedPicture* decoded = Decoded(encoded);
  if (decoded == nullptr) throw forms::Failure("图片“" + fileName + "”无法解码");
  return Picture(encoded, decoded->Size());
}

void DrawPicture(HDC dc, const Picture& picture, UINT dpi) {
  if (picture.IsNull()) return;
  const DecodedPicture* decoded = Decoded(picture.Encoded());
  if (decoded == nullptr) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, decoded->Bitmap());
  const SIZE size = decoded->Size();
  if (dpi == 96) {
    BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, MulDiv(size.cx, static_cast<int>(dpi), 96),
               MulDiv(size.cy, static_cast<int>(dpi), 96), source, 0, 0, size.cx, size.cy, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

KeptPictures PicturesKept() {
  KeptPictures kept;
  for (const Kept& picture : KeptList()) {
    ++kept.count;
    kept.bytes +=
        static_cast<std::size_t>(picture.decoded.Size().cx) * picture.decoded.Size().cy * 4;
  }
  return kept;
}

void ForgetKeptPictures() {
  KeptList().clear();
}

}  // namespace vestora::win32
