// The program's fonts on Windows. Every text is Chinese and a system need not have a face that
// draws it, so two subset fonts travel inside the executable, registered for this process only:
// a Kai face for the frame captions and the slogan, a sans face for the rest.
#pragma once

#include <string>
#include <string_view>

#include "forms/runtime.h"
#include "forms/win32/windows_api.h"

namespace vestora::win32 {

inline constexpr std::wstring_view kEmbeddedKaiFamily = L"Vestora Kai";
inline constexpr std::wstring_view kEmbeddedSansFamily = L"Vestora Sans";
inline constexpr double kDefaultPointSize = 9;

// Registers the embedded fonts with this process. False when one could not be registered.
bool InstallEmbeddedFonts();

// "华文行楷" when the system has it, else the embedded Kai face.
const std::wstring& KaiFace();

// The system's message font when it draws every character of the text, else the embedded sans.
std::wstring DefaultFaceFor(std::wstring_view text);

// The font of a control at a screen's dots per inch; the caller deletes it.
HFONT MakeFont(std::wstring_view face, double points, UINT dpi);

// The same, shared by every window that asks for it: one font of each face, size and dpi. Each
// AcquireFont is matched by one ReleaseFont, and the font is deleted with its last holder.
HFONT AcquireFont(std::wstring_view face, double points, UINT dpi);
void ReleaseFont(HFONT font);

// The face and size a control's font stands for in this backend.
struct FaceAndSize {
  std::wstring face;
  double points = kDefaultPointSize;
  friend bool operator==(const FaceAndSize&, const FaceAndSize&) = default;
};
FaceAndSize Resolve(const forms::Font& font, const std::wstring& defaultFace);

}  // namespace vestora::win32
