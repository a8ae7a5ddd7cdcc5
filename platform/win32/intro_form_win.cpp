#include "platform/win32/intro_form_win.h"

#include <commctrl.h>

#include "platform/win32/ui_fonts.h"
#include "platform/win32/wide_text.h"

namespace morv::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MorvaneSplash";
constexpr UINT_PTR kStepTimer = 1;
constexpr int kWidth = 420;
constexpr int kHeight = 210;
constexpr COLORREF kBackground = RGB(250, 248, 240);

// Places of the four texts, top to bottom, in 96-dpi pixels: y and height.
constexpr int kTextTop[] = {24, 78, 118, 176};
constexpr int kTextHeight[] = {48, 22, 22, 18};

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

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const int width = MulDiv(kWidth, dpi, 96);
  const int height = MulDiv(kHeight, dpi, 96);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  // No caption: a splash has nothing to say in a title bar.
  window_.reset(CreateWindowExW(0, kClassName, L"", WS_POPUP | WS_BORDER,
                                work.left + (work.right - work.left - width) / 2,
                                work.top + (work.bottom - work.top - height) / 2, width, height,
                                owner, nullptr, instance, this));
  createChildren(instance);

  form_ = std::make_unique<FormWindowWin>(hwnd());
  timer_ = std::make_unique<TimerWin>(hwnd(), kStepTimer);
  progress_ = std::make_unique<ProgressBarWin>(bar_);
  controls_ = std::make_unique<IntroFormControls>(IntroFormControls{*form_, *timer_, *progress_});
}

void IntroFormWin::createChildren(HINSTANCE instance) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  auto px = [dpi](int value) { return MulDiv(value, dpi, 96); };
  for (size_t i = 0; i < std::size(kSplashTexts); ++i) {
    const SplashText& text = kSplashTexts[i];
    HWND label = CreateWindowExW(
        0, L"STATIC", Wide(text.text).c_str(), WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0,
        px(kTextTop[i]), px(kWidth), px(kTextHeight[i]), hwnd(), nullptr, instance, nullptr);
    fonts_[i] = FontOrFallback(hwnd(), text.font, text.points);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[i].get()), FALSE);
  }
  bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, px(40),
                         px(150), px(kWidth - 80), px(16), hwnd(), nullptr, instance, nullptr);
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
    case WM_CTLCOLORSTATIC:
      // The texts lie on the splash's own colour rather than on grey boxes.
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(background_.get());
    default:
      return DefWindowProcW(hwnd(), message, wParam, lParam);
  }
}

}  // namespace morv::win32
