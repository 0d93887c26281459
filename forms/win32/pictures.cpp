#include "forms/win32/pictures.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/failure_texts.h"
#include "forms/runtime.h"
#include "forms/win32/kept_places.h"
#include "forms/win32/packed_pixels.h"
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

// Pixels of four bytes, row after row from the top, that size.
BITMAPINFO TopDownFormat(SIZE size) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.cx;
  format.bmiHeader.biHeight = -size.cy;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

// A top-down 32-bit bitmap of that size, its pixels not set; a null picture when it cannot be
// made.
DecodedPicture NewPicture(SIZE size) {
  const BITMAPINFO format = TopDownFormat(size);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return {};
  return DecodedPicture(bitmap, size, static_cast<std::uint8_t*>(bits));
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
  DecodedPicture decoded = NewPicture(SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
  if (decoded.IsNull()) return {};
  const UINT stride = 4 * width;
  const WICRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  if (FAILED(
          converter.object->CopyPixels(&all, stride, stride * height, decoded.Pixels().data()))) {
    return {};
  }
  return decoded;
}

// Pictures loaded or drawn last, kept between paints as their pixels packed without loss, in
// one block of the budget's bytes written round and round (kept_places.h says where each goes).
// One block, never freed, takes no more than the budget, where pictures of many sizes coming and
// going on the heap would leave it holding more. A window repainted draws its pictures from these
// without decoding them again.
struct KeptBlock {
  std::uint8_t* bytes = nullptr;  // places.Size() of them, once a picture is kept
  KeptPlaces places{kKeptPicturesBudget};
};

KeptBlock& TheKept() {
  static KeptBlock kept;
  return kept;
}

using Kept = KeptPlace;

std::span<const std::uint8_t> PackedBytes(const Kept& kept) {
  return {TheKept().bytes + kept.offset, kept.length};
}

const Kept* FindKept(std::span<const std::byte> encoded) {
  return TheKept().places.Find(encoded.data());
}

void Forget(std::span<const std::byte> encoded) {
  TheKept().places.Forget(encoded.data());
}

// Keeps the decoded picture's pixels packed. A picture larger than the whole budget is not kept.
void Keep(std::span<const std::byte> encoded, const DecodedPicture& decoded) {
  KeptBlock& block = TheKept();
  if (decoded.IsNull() || block.places.Size() == 0) return;
  const std::size_t length = PackedSize(decoded.Pixels());
  if (length > block.places.Size()) return;
  if (block.bytes == nullptr) {
    block.bytes = static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, block.places.Size(), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (block.bytes == nullptr) return;
  }
  const SIZE size = decoded.Size();
  const Kept* kept = block.places.Place(encoded.data(), size.cx, size.cy, length);
  if (kept != nullptr) PackPixels(decoded.Pixels(), {block.bytes + kept->offset, length});
}

// A bitmap of the kept picture's pixels; a null picture when none can be made.
DecodedPicture Unpack(const Kept& kept) {
  DecodedPicture bitmap = NewPicture({kept.width, kept.height});
  if (bitmap.IsNull() || !UnpackPixels(PackedBytes(kept), bitmap.Pixels())) return {};
  return bitmap;
}

// Draws the kept picture pixel for pixel, a band of rows at a time from a small buffer that
// serves every paint: a copy to the screen needs no bitmap of its own. False when its pixels
// cannot be unpacked, maybe after some were drawn.
bool DrawUnscaled(HDC dc, const Kept& kept) {
  constexpr int kBandRows = 32;
  static std::vector<std::uint8_t> band;
  Unpacker unpacker(PackedBytes(kept));
  for (int top = 0; top < kept.height; top += kBandRows) {
    const int rows = std::min(kBandRows, kept.height - top);
    band.resize(static_cast<std::size_t>(kept.width) * static_cast<std::size_t>(rows) * 4);
    if (!unpacker.Next(band)) return false;
    const BITMAPINFO format = TopDownFormat({kept.width, rows});
    SetDIBitsToDevice(dc, 0, top, static_cast<DWORD>(kept.width), static_cast<DWORD>(rows), 0, 0, 0,
                      static_cast<UINT>(rows), band.data(), &format, DIB_RGB_COLORS);
  }
  return unpacker.Done();
}

}  // namespace

DecodedPicture::~DecodedPicture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

DecodedPicture::DecodedPicture(DecodedPicture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      size_(other.size_),
      bits_(std::exchange(other.bits_, nullptr)) {}

DecodedPicture& DecodedPicture::operator=(DecodedPicture&& other) noexcept {
  if (this != &other) {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    size_ = other.size_;
    bits_ = std::exchange(other.bits_, nullptr);
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
  const DecodedPicture decoded = DecodePicture(encoded);
  if (decoded.IsNull()) throw forms::Failure(forms::UndecodablePicture(fileName));
  // Kept for the window's first paint, which follows.
  Keep(encoded, decoded);
  return Picture(encoded, decoded.Size());
}

void DrawPicture(HDC dc, const Picture& picture, UINT dpi) {
  if (picture.IsNull()) return;
  const Kept* kept = FindKept(picture.Encoded());
  if (kept != nullptr && dpi == 96 && DrawUnscaled(dc, *kept)) return;
  DecodedPicture decoded;
  if (kept != nullptr) decoded = Unpack(*kept);
  if (decoded.IsNull()) {
    decoded = DecodePicture(picture.Encoded());
    if (decoded.IsNull()) return;
    Keep(picture.Encoded(), decoded);
  }
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, decoded.Bitmap());
  const SIZE size = decoded.Size();
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

void ForgetPicture(const Picture& picture) {
  Forget(picture.Encoded());
}

void SetKeptPicturesBudget(std::size_t bytes) {
  KeptBlock& block = TheKept();
  if (block.bytes != nullptr) VirtualFree(block.bytes, 0, MEM_RELEASE);
  block.bytes = nullptr;
  block.places.Reset(bytes);
}

KeptPictures PicturesKept() {
  KeptPictures kept;
  for (const Kept& picture : TheKept().places.Places()) {
    ++kept.count;
    kept.bytes += picture.length;
  }
  return kept;
}

}  // namespace vestora::win32
