#include "tools/uidriver/screenshot.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/unique_handle.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"

namespace morv::uidriver {

void saveScreenshot(std::string_view path) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0) throw DriverError("there is no screen to take a picture of");

  const win32::UniqueHdc screen(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
  const win32::UniqueHdc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up rows, as .bmp files keep them
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  void* pixels = nullptr;
  const win32::UniqueHgdiobj bitmap(CreateDIBSection(
      screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!screen || !memory || !bitmap || pixels == nullptr) {
    throw DriverError("cannot create a bitmap for a screenshot (error " +
                      std::to_string(GetLastError()) + ")");
  }
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const BOOL copied =
      BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory.get(), previous);
  GdiFlush();
  if (!copied)
    throw DriverError("cannot copy the screen (error " + std::to_string(GetLastError()) + ")");

  const DWORD rowBytes = ((width * 3) + 3) & ~3;
  const DWORD imageBytes = rowBytes * height;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + imageBytes;
  header.biSizeImage = imageBytes;
  std::ofstream out(std::filesystem::path(widen(windowsPath(path))), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof(file));
  out.write(reinterpret_cast<const char*>(&header), sizeof(header));
  out.write(static_cast<const char*>(pixels), imageBytes);
  if (!out) throw DriverError("cannot write the screenshot " + std::string(path));
}

}  // namespace morv::uidriver
