#include "forms/win32/pictures.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <list>
#include <string_view>
#include <utility>
#include <vector>

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

// The system's imaging component as a thread holds it: its factory and the class objects of the
// JPEG and GIF decoders. Asked for once and kept, so that a paint decodes without looking
// anything up in the registry.
struct Codecs {
  IWICImagingFactory* factory = nullptr;
  IClassFactory* jpeg = nullptr;
  IClassFactory* gif = nullptr;
};

// Asks for what is missing: COM may not have been set up on the thread the first time.
void Fetch(Codecs& codecs) {
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
}

// The program's thread's: kept for the life of the process.
const Codecs& TheCodecs() {
  static Codecs codecs;
  Fetch(codecs);
  return codecs;
}

// The decoder for the bytes' format, by their first bytes: JPEG or GIF.
IClassFactory* DecoderFor(const Codecs& codecs, std::span<const std::byte> bytes) {
  const auto starts = [&](std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
  };
  if (starts("\xFF\xD8")) return codecs.jpeg;
  if (starts("GIF8")) return codecs.gif;
  return nullptr;
}

// The first frame of the picture, converted to 32 bits a pixel (blue, green, red, alpha) as the
// system's picture loader converts it, copied into a top-down 32-bit bitmap. The decoder reads
// the bytes where they lie.
DecodedPicture DecodeFrame(const Codecs& codecs, std::span<const std::byte> encoded) {
  IClassFactory* decoderClass = DecoderFor(codecs, encoded);
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

// Pictures decoded ahead of their paint by a second thread, while the window's own thread draws
// the ones before them. The decoding thread runs at most kAhead pictures ahead of the paints
// that take them, so that few decoded pictures are alive at once.
class DecoderThread {
 public:
  static DecoderThread& The() {
    // Never destroyed: the thread waits on it until the process ends.
    static DecoderThread* const thread = new DecoderThread;
    return *thread;
  }

  // Replaces the pictures waiting to be decoded with these; what was decoded ahead and not taken
  // goes.
  void Ahead(std::span<const std::span<const std::byte>> pictures) {
    std::list<Job> gone;
    AcquireSRWLockExclusive(&lock_);
    Drop(gone);
    for (std::span<const std::byte> picture : pictures) jobs_.push_back({picture});
    const bool start = thread_ == nullptr && !startFailed_;
    ReleaseSRWLockExclusive(&lock_);
    WakeAllConditionVariable(&changed_);
    if (start) Start();
  }

  // The picture decoded ahead, when it was; else a null one, and the caller decodes it itself.
  DecodedPicture Take(std::span<const std::byte> encoded) {
    DecodedPicture taken;
    AcquireSRWLockExclusive(&lock_);
    const auto job =
        std::ranges::find(jobs_, encoded.data(), [](const Job& j) { return j.encoded.data(); });
    if (job != jobs_.end()) {
      while (job->state == State::Decoding) {
        SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
      }
      taken = std::move(job->decoded);
      jobs_.erase(job);  // one waiting to be decoded is decoded by the caller
    }
    ReleaseSRWLockExclusive(&lock_);
    WakeAllConditionVariable(&changed_);
    return taken;
  }

  // Drops every picture decoded ahead or waiting to be, once the one being decoded is done.
  void Forget() {
    std::list<Job> gone;
    AcquireSRWLockExclusive(&lock_);
    Drop(gone);
    ReleaseSRWLockExclusive(&lock_);
  }

  // Pictures decoded ahead and not taken yet.
  KeptPictures Held() {
    KeptPictures held;
    AcquireSRWLockShared(&lock_);
    for (const Job& job : jobs_) {
      if (job.decoded.IsNull()) continue;
      ++held.count;
      held.bytes += static_cast<std::size_t>(job.decoded.Size().cx) * job.decoded.Size().cy * 4;
    }
    ReleaseSRWLockShared(&lock_);
    return held;
  }

 private:
  static constexpr int kAhead = 2;
  enum class State { Waiting, Decoding, Done };
  struct Job {
    std::span<const std::byte> encoded;
    State state = State::Waiting;
    DecodedPicture decoded;
  };

  // Moves every job into gone, once none is being decoded; the lock is held.
  void Drop(std::list<Job>& gone) {
    while (std::ranges::any_of(jobs_, [](const Job& j) { return j.state == State::Decoding; })) {
      SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
    }
    gone.splice(gone.end(), jobs_);
  }

  void Start() {
    HANDLE thread = CreateThread(nullptr, 0, &DecoderThread::Run, this, 0, nullptr);
    AcquireSRWLockExclusive(&lock_);
    thread_ = thread;
    // Without a second thread every picture is decoded as it paints, as before.
    startFailed_ = thread == nullptr;
    if (startFailed_) jobs_.clear();
    ReleaseSRWLockExclusive(&lock_);
  }

  static DWORD WINAPI Run(void* self) {
    // Its own apartment and its own imaging objects: the window's thread's are not for others.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Codecs codecs;
    static_cast<DecoderThread*>(self)->Serve(codecs);
    return 0;
  }

  [[noreturn]] void Serve(Codecs& codecs) {
    for (;;) {
      AcquireSRWLockExclusive(&lock_);
      Job* next = nullptr;
      for (;;) {
        int done = 0;
        next = nullptr;
        for (Job& job : jobs_) {
          if (job.state == State::Done) ++done;
          if (job.state == State::Waiting && next == nullptr) next = &job;
        }
        if (next != nullptr && done < kAhead) break;
        SleepConditionVariableSRW(&changed_, &lock_, INFINITE, 0);
      }
      next->state = State::Decoding;
      const std::span<const std::byte> encoded = next->encoded;
      ReleaseSRWLockExclusive(&lock_);
      Fetch(codecs);
      DecodedPicture decoded =
          codecs.factory != nullptr ? DecodeFrame(codecs, encoded) : DecodedPicture();
      AcquireSRWLockExclusive(&lock_);
      // Jobs only go while none is being decoded: this one is still there.
      next->decoded = std::move(decoded);
      next->state = State::Done;
      ReleaseSRWLockExclusive(&lock_);
      WakeAllConditionVariable(&changed_);
    }
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
  std::list<Job> jobs_;
  HANDLE thread_ = nullptr;
  bool startFailed_ = false;
};

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
  return DecodeFrame(TheCodecs(), encoded);
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
    decodedNow = DecoderThread::The().Take(picture.Encoded());
    if (decodedNow.IsNull()) decodedNow = DecodePicture(picture.Encoded());
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

void DecodeAhead(std::span<const Picture* const> pictures) {
  std::vector<std::span<const std::byte>> encoded;
  for (const Picture* picture : pictures) {
    // A kept picture needs no decoding.
    if (!picture->IsNull() && FindKept(picture->Encoded()) == nullptr) {
      encoded.push_back(picture->Encoded());
    }
  }
  DecoderThread::The().Ahead(encoded);
}

void ForgetDecodedAhead() {
  DecoderThread::The().Forget();
}

KeptPictures PicturesKept() {
  KeptPictures kept = DecoderThread::The().Held();
  for (const Kept& picture : KeptList()) {
    ++kept.count;
    kept.bytes +=
        static_cast<std::size_t>(picture.decoded.Size().cx) * picture.decoded.Size().cy * 4;
  }
  return kept;
}

}  // namespace vestora::win32
