#include "shared/win32/design_fonts.h"

#include <algorithm>
#include <array>

#include "shared/design_faces.h"
#include "shared/design_units.h"
#include "shared/win32/wide_text.h"

namespace tavri::win32 {

std::span<const wchar_t* const> JapaneseFaceCandidates() {
  static const std::array<std::wstring, kDesignFaces.size()> names = [] {
    std::array<std::wstring, kDesignFaces.size()> wide;
    for (std::size_t i = 0; i < wide.size(); ++i) wide[i] = Widen(kDesignFaces[i]);
    return wide;
  }();
  static const std::array<const wchar_t*, kDesignFaces.size()> faces = [] {
    std::array<const wchar_t*, kDesignFaces.size()> pointers{};
    for (std::size_t i = 0; i < pointers.size(); ++i) pointers[i] = names[i].c_str();
    return pointers;
  }();
  return faces;
}

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool IsInstalled(HDC dc, const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

std::wstring FirstInstalledFace(std::span<const wchar_t* const> candidates) {
  if (candidates.empty()) return {};
  HDC screen = GetDC(nullptr);
  std::wstring chosen = candidates.front();
  for (const wchar_t* face : candidates) {
    if (IsInstalled(screen, face)) {
      chosen = face;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return chosen;
}

const std::wstring& DesignFace() {
  static const std::wstring face = FirstInstalledFace(JapaneseFaceCandidates());
  return face;
}

bool DesignFaceIsStandIn() {
  const std::wstring& face = DesignFace();
  const auto candidates = JapaneseFaceCandidates();
  for (std::size_t i = 0; i < kDesignFaceNames; ++i)
    if (face == candidates[i]) return false;
  return true;
}

FontCache::~FontCache() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::Get(const FontSpec& font) {
  const auto key = std::make_tuple(font.points, font.bold, font.dpi, font.widthPercent);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  int width = 0;  // the face's own
  if (font.widthPercent < 100) {
    FontSpec full = font;
    full.widthPercent = 100;
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, Get(full));
    TEXTMETRICW metrics;
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    width = std::max(1, static_cast<int>(metrics.tmAveCharWidth) * font.widthPercent / 100);
  }
  HFONT made = CreateFontW(-PointsToPixels(font.points, font.dpi), width, 0, 0,
                           font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           VARIABLE_PITCH | FF_SWISS, DesignFace().c_str());
  fonts_.emplace(key, made);
  return made;
}

}  // namespace tavri::win32
