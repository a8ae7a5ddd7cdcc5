// Morvane's entry point.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/desktop_win.h"
#include "platform/win32/main_form_win.h"
#include "platform/win32/unique_handle.h"
#include "startup/app_title.h"
#include "startup/frm_intro.h"

namespace {

// The hidden application window owns every window of the program, so they all lie
// above it in the stacking order; a second start finds the program by it.
morv::win32::UniqueHwnd CreateApplicationWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "ThunderRT6Main";
  RegisterClassA(&windowClass);
  return morv::win32::UniqueHwnd(CreateWindowExA(0, "ThunderRT6Main", morv::kAppTitle, WS_POPUP, 0,
                                                 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                      ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);

  morv::win32::DesktopWin desktop;
  // A wake-up for an alarm nobody is left to ring would only wake the computer for
  // nothing. The timer's destructor covers the end of the message loop.
  desktop.program.atEnd([&desktop] { desktop.wakeTimer.cancel(); });
  const morv::win32::UniqueHwnd application = CreateApplicationWindow(instance);
  morv::win32::MainFormWin main(desktop, instance, application.get());
  desktop.boxes.setOwner(main.hwnd());
  morv::FrmIntro(desktop.desktop, main.form()).Form_Load();

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (main.preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
