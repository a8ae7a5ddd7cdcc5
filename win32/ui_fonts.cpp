#include "win32/ui_fonts.h"

#include <cstring>

#include "mainwindow/main_form_layout.h"
#include "win32/dpi_win.h"

namespace morv::win32 {
namespace {

// A bitmap face that cannot grow gives way to this one, which has its look.
constexpr char kScalableSansSerif[] = "Microsoft Sans Serif";

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const char* face) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &wanted, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

LOGFONTA MessageLogFont(int dpi) {
  // The system's metrics are at the system's scale; the monitor may have another.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return metrics.lfMessageFont;
}

TEXTMETRICA Metrics(HFONT font) {
  TEXTMETRICA metrics{};
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return metrics;
}

UniqueHfont FaceAt(const char* face, int height) {
  LOGFONTA font{};
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  font.lfHeight = height;
  return UniqueHfont(CreateFontIndirectA(&font));
}

}  // namespace

UniqueHfont MessageFont(int dpi) {
  LOGFONTA font = MessageLogFont(dpi);
  return UniqueHfont(CreateFontIndirectA(&font));
}

UniqueHfont FontOrFallback(const char* face, int points, int dpi) {
  const int height = -MulDiv(points, dpi, 72);
  if (FaceInstalled(face)) {
    UniqueHfont named = FaceAt(face, height);
    const TEXTMETRICA got = Metrics(named.get());
    if (FontReachedSize(-height, got.tmHeight - got.tmInternalLeading)) return named;
    if (FaceInstalled(kScalableSansSerif)) return FaceAt(kScalableSansSerif, height);
  }
  // The message font's face, at the size that was asked for: a title stays a title.
  LOGFONTA font = MessageLogFont(dpi);
  font.lfHeight = height;
  return UniqueHfont(CreateFontIndirectA(&font));
}

int LineHeight(HFONT font) { return Metrics(font).tmHeight; }

SIZE TextExtent(HFONT font, const std::string& text) {
  SIZE size{};
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size;
}

}  // namespace morv::win32
