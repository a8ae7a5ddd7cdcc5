#include "platform/win32/ui_fonts.h"

#include <cstring>

namespace morv::win32 {
namespace {

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(HDC dc, const char* face) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExA(dc, &wanted, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

UniqueHfont MessageFont(HWND) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return UniqueHfont(CreateFontIndirectA(&metrics.lfMessageFont));
}

UniqueHfont FontOrFallback(HWND window, const char* face, int points) {
  HDC dc = GetDC(window);
  const bool installed = FaceInstalled(dc, face);
  const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(window, dc);
  LOGFONTA font{};
  if (installed) {
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  } else {
    // The message font's face, at the size that was asked for: a title stays a title.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    font = metrics.lfMessageFont;
  }
  font.lfHeight = height;
  return UniqueHfont(CreateFontIndirectA(&font));
}

}  // namespace morv::win32
