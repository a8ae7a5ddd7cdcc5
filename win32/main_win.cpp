// Morvane's entry point: it creates the start-up form, whose load runs the start-up.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "win32/desktop_win.h"
#include "win32/intro_form_win.h"
#include "win32/main_form_win.h"
#include "win32/unique_handle.h"
#include "startup/app_title.h"
#include "startup/early_close.h"
#include "startup/frm_intro.h"

namespace {

// A close request or the session's end reaching the hidden window goes where one
// reaching the main window goes; before the main window exists the core answers it.
LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* main =
      reinterpret_cast<morv::win32::MainFormWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (main) {
    if (auto answer = main->applicationWindowMessage(message, wParam)) return *answer;
  } else if (message == WM_CLOSE) {
    // Granted, the default closes the window; refused, it must not see the message.
    if (!morv::GrantedBeforeMainWindow(morv::EarlyEndRequest::Close)) return 0;
  } else if (message == WM_QUERYENDSESSION) {
    return morv::GrantedBeforeMainWindow(morv::EarlyEndRequest::SessionQuery) ? TRUE : FALSE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The hidden application window owns every window of the program, so they all lie
// above it in the stacking order; a second start finds the program by it.
morv::win32::UniqueHwnd CreateApplicationWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ApplicationWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "ThunderRT6Main";
  RegisterClassA(&windowClass);
  return morv::win32::UniqueHwnd(CreateWindowExA(0, "ThunderRT6Main", morv::kAppTitle, WS_POPUP, 0,
                                                 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES |
                                                      ICC_DATE_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);

  morv::win32::DesktopWin desktop;
  // A wake-up for an alarm nobody is left to ring would only wake the computer for
  // nothing. The timer's destructor covers the end of the message loop.
  desktop.program.atEnd([&desktop] { desktop.wakeTimer.cancel(); });
  const morv::win32::UniqueHwnd application = CreateApplicationWindow(instance);
  desktop.program.setApplicationWindow(application.get());

  std::unique_ptr<morv::win32::MainFormWin> main;
  {
    morv::win32::IntroFormWin intro(instance, application.get());
    morv::FrmIntro frmIntro(desktop.desktop, intro.controls(), [&]() -> morv::FrmMain& {
      main = std::make_unique<morv::win32::MainFormWin>(desktop, instance, application.get());
      desktop.boxes.setOwner(main->hwnd());
      SetWindowLongPtrA(application.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main.get()));
      return main->form();
    });
    intro.setTickHandler([&frmIntro] { frmIntro.MyTimer_Timer(); });
    frmIntro.Form_Load();
  }  // the start-up form is unloaded: the main window carries the run from here

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (main->preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  SetWindowLongPtrA(application.get(), GWLP_USERDATA, 0);
  return static_cast<int>(message.wParam);
}
