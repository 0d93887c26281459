#include "forms/win32/fonts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

#include "forms/win32/resources.h"

namespace vestora::win32 {
namespace {

constexpr std::array<std::string_view, 2> kFontFiles = {"VestoraKai-Regular.ttf",
                                                        "VestoraSans-Regular.ttf"};

// The names the real Xingkai face goes by, Chinese first.
constexpr std::array<std::wstring_view, 2> kXingkaiNames = {L"华文行楷", L"STXingkai"};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool SystemHasFamily(std::wstring_view family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

const std::wstring& MessageFace() {
  static const std::wstring face = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      return std::wstring();
    }
    return std::wstring(metrics.lfMessageFont.lfFaceName);
  }();
  return face;
}

bool DrawsEvery(std::wstring_view face, std::wstring_view text) {
  if (face.empty()) return false;
  HFONT font = MakeFont(face, kDefaultPointSize, 96);
  if (font == nullptr) return false;
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  // The face Windows really picked must be the one asked for: a missing face is replaced quietly.
  std::array<wchar_t, LF_FACESIZE> picked{};
  GetTextFaceW(screen, static_cast<int>(picked.size()), picked.data());
  bool draws = std::wstring_view(picked.data()) == face;
  if (draws && !text.empty()) {
    std::vector<WORD> glyphs(text.size());
    draws = GetGlyphIndicesW(screen, text.data(), static_cast<int>(text.size()), glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR;
    for (std::size_t i = 0; draws && i < text.size(); ++i) {
      // Spaces and line breaks need no glyph of their own.
      if (text[i] > L' ' && glyphs[i] == 0xFFFF) draws = false;
    }
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return draws;
}

}  // namespace

bool InstallEmbeddedFonts() {
  bool installed = true;
  for (std::string_view file : kFontFiles) {
    const std::span<const std::byte> bytes = EmbeddedFile(file);
    DWORD fonts = 0;
    // Registered for this process only, until it ends; the system's fonts stay as they are.
    if (bytes.empty() ||
        AddFontMemResourceEx(const_cast<std::byte*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                             nullptr, &fonts) == nullptr ||
        fonts == 0) {
      installed = false;
    }
  }
  return installed;
}

const std::wstring& KaiFace() {
  // Whether the real face is installed does not change while the program runs: ask once.
  static const std::wstring face = [] {
    for (std::wstring_view name : kXingkaiNames) {
      if (SystemHasFamily(name)) return std::wstring(name);
    }
    return std::wstring(kEmbeddedKaiFamily);
  }();
  return face;
}

std::wstring DefaultFaceFor(std::wstring_view text) {
  if (DrawsEvery(MessageFace(), text)) return MessageFace();
  return std::wstring(kEmbeddedSansFamily);
}

HFONT MakeFont(std::wstring_view face, double points, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfQuality = CLEARTYPE_QUALITY;
  face.substr(0, LF_FACESIZE - 1).copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

namespace {

struct SharedFont {
  std::wstring face;
  double points;
  UINT dpi;
  HFONT font;
  int holders;
};

std::vector<SharedFont>& SharedFonts() {
  static std::vector<SharedFont> fonts;
  return fonts;
}

}  // namespace

HFONT AcquireFont(std::wstring_view face, double points, UINT dpi) {
  std::vector<SharedFont>& fonts = SharedFonts();
  for (SharedFont& shared : fonts) {
    if (shared.face == face && shared.points == points && shared.dpi == dpi) {
      ++shared.holders;
      return shared.font;
    }
  }
  HFONT font = MakeFont(face, points, dpi);
  if (font != nullptr) fonts.push_back({std::wstring(face), points, dpi, font, 1});
  return font;
}

void ReleaseFont(HFONT font) {
  std::vector<SharedFont>& fonts = SharedFonts();
  const auto found = std::ranges::find(fonts, font, &SharedFont::font);
  if (found == fonts.end() || --found->holders > 0) return;
  DeleteObject(found->font);
  fonts.erase(found);
}

FaceAndSize Resolve(const forms::Font& font, const std::wstring& defaultFace) {
  if (font.face == forms::FontFace::Kai) return {KaiFace(), font.points};
  return {defaultFace, kDefaultPointSize};  // one size for every default-face text
}

}  // namespace vestora::win32
