#include "win32/intro_form_win.h"

#include <commctrl.h>

#include "mainwindow/main_form_layout.h"
#include "win32/dpi_win.h"
#include "win32/ui_fonts.h"
#include "win32/wide_text.h"

namespace morv::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MorvaneSplash";
constexpr UINT_PTR kStepTimer = 1;
constexpr COLORREF kBackground = RGB(250, 248, 240);
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;

}  // namespace

IntroFormWin::IntroFormWin(HINSTANCE instance, HWND owner)
    : background_(CreateSolidBrush(kBackground)) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_APPSTARTING);
  windowClass.hbrBackground = static_cast<HBRUSH>(background_.get());
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  // No caption: a splash has nothing to say in a title bar. Sized and placed once its
  // monitor's scale is known.
  window_.reset(CreateWindowExW(0, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 1, 1,
                                owner, nullptr, instance, this));
  createChildren(instance);
  applyScale(WindowDpi(hwnd()), nullptr);

  form_ = std::make_unique<FormWindowWin>(hwnd());
  timer_ = std::make_unique<TimerWin>(hwnd(), kStepTimer);
  progress_ = std::make_unique<ProgressBarWin>(bar_);
  controls_ = std::make_unique<IntroFormControls>(IntroFormControls{*form_, *timer_, *progress_});
}

void IntroFormWin::createChildren(HINSTANCE instance) {
  for (size_t i = 0; i < std::size(kSplashTexts); ++i) {
    labels_[i] = CreateWindowExW(0, L"STATIC", Wide(kSplashTexts[i].text).c_str(),
                                 WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0,
                                 hwnd(), nullptr, instance, nullptr);
  }
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 0, 0, 0, 0,
                         hwnd(), nullptr, instance, nullptr);
}

void IntroFormWin::applyScale(int dpi, const RECT* suggested) {
  const bool shown = suggested != nullptr;
  SplashMetrics metrics;
  metrics.dpi = dpi;
  for (size_t i = 0; i < std::size(kSplashTexts); ++i) {
    const SplashText& text = kSplashTexts[i];
    UniqueHfont font = FontOrFallback(text.font, text.points, dpi);
    SendMessageW(labels_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), shown);
    fonts_[i] = std::move(font);
    const SIZE extent = TextExtent(fonts_[i].get(), text.text);
    metrics.text.push_back({static_cast<int>(extent.cx), static_cast<int>(extent.cy)});
  }
  const SplashLayout layout = LayOutSplash(metrics);
  for (size_t i = 0; i < layout.text.size(); ++i) {
    const Rect& r = layout.text[i];
    MoveWindow(labels_[i], r.left, r.top, r.width(), r.height(), shown);
  }
  MoveWindow(bar_, layout.bar.left, layout.bar.top, layout.bar.width(), layout.bar.height(), shown);
  RECT frame{0, 0, layout.client.width, layout.client.height};
  AdjustForDpi(frame, kStyle, false, 0, dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const RECT work = WorkAreaNear(hwnd());
  const int left = suggested ? suggested->left : work.left + (work.right - work.left - width) / 2;
  const int top = suggested ? suggested->top : work.top + (work.bottom - work.top - height) / 2;
  MoveWindow(hwnd(), left, top, width, height, shown);
}

LRESULT CALLBACK IntroFormWin::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<IntroFormWin*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->timer_) return DefWindowProcW(window, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT IntroFormWin::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kStepTimer && timer_->enabled() && onTick_) onTick_();
      return 0;
    case WM_DPICHANGED:
      applyScale(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      // The texts lie on the splash's own colour rather than on grey boxes.
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(background_.get());
    default:
      return DefWindowProcW(hwnd(), message, wParam, lParam);
  }
}

}  // namespace morv::win32
