#include "forms/win32/pictures.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string_view>
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

// The system's imaging component, asked for once: its factory and the class objects of the JPEG
// and GIF decoders. Kept for the life of the process, so that a paint decodes without looking
// anything up in the registry.
struct Codecs {
  IWICImagingFactory* factory = nullptr;
  IClassFactory* jpeg = nullptr;
  IClassFactory* gif = nullptr;
};

// Asked for again while missing: COM may not have been set up on the thread the first time.
const Codecs& TheCodecs() {
  static Codecs codecs;
  if (codecs.factory == nullptr &&
      FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&codecs.factory)))) {
    codecs.factory = nullptr;
  }
  for (auto [decoder, kind] : {std::pair{&codecs.jpeg, &CLSID_WICJpegDecoder},
                               std::pair{&codecs.gif, &CLSID_WICGifDecoder}}) {
    if (*decoder == nullptr &&
        FAILED(CoGetClassObject(*kind, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(decoder)))) {
      *decoder = nullptr;
    }
  }
  return codecs;
}

// The decoder for the bytes' format, by their first bytes: JPEG or GIF.
IClassFactory* DecoderFor(std::span<const std::byte> bytes) {
  const auto starts = [&](std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
  };
  if (starts("\xFF\xD8")) return TheCodecs().jpeg;
  if (starts("GIF8")) return TheCodecs().gif;
  return nullptr;
}

// The first frame of the picture, converted to 32 bits a pixel (blue, green, red, alpha) as the
// system's picture loader converts it, copied into a top-down 32-bit bitmap. The decoder reads
// the bytes where they lie.
DecodedPicture DecodeFrame(std::span<const std::byte> encoded) {
  const Codecs& codecs = TheCodecs();
  IClassFactory* decoderClass = DecoderFor(encoded);
  if (codecs.factory == nullptr || decoderClass == nullptr) return {};
  Released<IWICStream> stream;
  Released<IWICBitmapDecoder> decoder;
  Released<IWICBitmapFrameDecode> frame;
  Released<IWICFormatConverter> converter;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(codecs.factory->CreateStream(&stream.object)) ||
      FAILED(stream.object->InitializeFromMemory(
          reinterpret_cast<BYTE*>(const_cast<std::byte*>(encoded.data())),
          static_cast<DWORD>(encoded.size()))) ||
      FAILED(decoderClass->CreateInstance(nullptr, IID_PPV_ARGS(&decoder.object))) ||
      FAILED(decoder.object->Initialize(stream.object, WICDecodeMetadataCacheOnLoad)) ||
      FAILED(decoder.object->GetFrame(0, &frame.object)) ||
      FAILED(codecs.factory->CreateFormatConverter(&converter.object)) ||
      FAILED(converter.object->Initialize(frame.object, GUID_WICPixelFormat32bppBGRA,
                                          WICBitmapDitherTypeNone, nullptr, 0.0,
                                          WICBitmapPaletteTypeMedianCut)) ||
      FAILED(converter.object->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > 0x4000 || height > 0x4000) {
    return {};
  }
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = static_cast<LONG>(width);
  format.bmiHeader.biHeight = -static_cast<LONG>(height);
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return {};
  const UINT stride = 4 * width;
  const WICRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  if (FAILED(
          converter.object->CopyPixels(&all, stride, stride * height, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return {};
  }
  return DecodedPicture(bitmap, SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
}

// Decoded pictures kept between paints, the newest first; none unless a benchmark asks for some
// (KeepDecodedPictures).
std::size_t keptLimit = 0;

struct Kept {
  const std::byte* encoded;
  DecodedPicture decoded;
};

std::deque<Kept>& KeptList() {
  static std::deque<Kept> kept;
  return kept;
}

const DecodedPicture* FindKept(std::span<const std::byte> encoded) {
  std::deque<Kept>& kept = KeptList();
  const auto found = std::ranges::find(kept, encoded.data(), &Kept::encoded);
  if (found == kept.end()) return nullptr;
  if (found != kept.begin()) {
    Kept newest = std::move(*found);
    kept.erase(found);
    kept.push_front(std::move(newest));
  }
  return &kept.front().decoded;
}

// Keeps a decoded picture as the newest, the oldest going when there are too many.
void Keep(std::span<const std::byte> encoded, DecodedPicture decoded) {
  std::deque<Kept>& kept = KeptList();
  if (keptLimit == 0) return;
  while (kept.size() >= keptLimit) kept.pop_back();
  kept.push_front(Kept{encoded.data(), std::move(decoded)});
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
  return DecodeFrame(encoded);
}

Picture LoadPicture(const std::string& fileName) {
  const std::span<const std::byte> encoded = EmbeddedFile(fileName);
  if (encoded.empty()) throw forms::Failure(forms::NoSuchPicture(fileName));
  // Decoded whole once, so that a picture that cannot be is found now and not at a paint.
  DecodedPicture decoded = DecodePicture(encoded);
  if (decoded.IsNull()) throw forms::Failure(forms::UndecodablePicture(fileName));
  const SIZE size = decoded.Size();
  Keep(encoded, std::move(decoded));
  return Picture(encoded, size);
}

void DrawPicture(HDC dc, const Picture& picture, UINT dpi) {
  if (picture.IsNull()) return;
  const DecodedPicture* decoded = FindKept(picture.Encoded());
  DecodedPicture decodedNow;
  if (decoded == nullptr) {
    decodedNow = DecodePicture(picture.Encoded());
    if (decodedNow.IsNull()) return;
    decoded = &decodedNow;
  }
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
  // Kept for the next paint when a benchmark asked for that; else it goes now.
  if (!decodedNow.IsNull()) Keep(picture.Encoded(), std::move(decodedNow));
}

void KeepDecodedPictures(std::size_t count) {
  keptLimit = count;
  while (KeptList().size() > keptLimit) KeptList().pop_back();
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

}  // namespace vestora::win32
