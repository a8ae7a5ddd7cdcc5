#include "win32/dpi_win.h"

namespace morv::win32 {
namespace {

template <typename Function>
Function FromUser32(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  FARPROC found = user32 ? GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = FromUser32<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

std::optional<int> TaskbarDpi() {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI, the scale the user chose
  // shcore came with Windows 8.1; loaded from the system folder only, and kept once found.
  static const UniqueHmodule shcore(
      LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  static const auto forMonitor =
      shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                   reinterpret_cast<void*>(GetProcAddress(shcore.get(), "GetDpiForMonitor")))
             : nullptr;
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  HMONITOR monitor = taskbar ? MonitorFromWindow(taskbar, MONITOR_DEFAULTTONULL) : nullptr;
  UINT x = 0, y = 0;
  if (!forMonitor || !monitor || FAILED(forMonitor(monitor, kEffectiveDpi, &x, &y))) {
    return std::nullopt;
  }
  return static_cast<int>(x);
}

int MetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = FromUser32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto forDpi = FromUser32<AdjustFn>("AdjustWindowRectExForDpi");
  if (forDpi) {
    forDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, menu, exStyle);
  }
}

RECT WorkAreaNear(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return monitor.rcWork;
  }
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

UniqueHicon LoadIconSized(HINSTANCE module, int id, int size) {
  HANDLE image = LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
  if (image) return UniqueHicon(static_cast<HICON>(image));
  // The stock icon is shared, so keep a copy that may be destroyed.
  return UniqueHicon(CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
}

}  // namespace morv::win32
