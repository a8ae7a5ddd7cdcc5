#include "tools/winamp_standin/player_window.h"

#include <string>

#include "tools/winamp_standin/copied_path.h"

namespace morv::standin {
namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 110;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kMargin = 12;

const char* StateLabel(PlayState state) {
  switch (state) {
    case PlayState::kPlaying:
      return "Playing";
    case PlayState::kPaused:
      return "Paused";
    case PlayState::kStopped:
      break;
  }
  return "Stopped";
}

// wParam arrives as an unsigned 64-bit value; a caller meaning -1 sends 2^64-1.
int ClampVolume(WPARAM wparam) {
  const auto requested = static_cast<INT_PTR>(wparam);
  if (requested < 0) return 0;
  if (requested > kMaxVolume) return kMaxVolume;
  return static_cast<int>(requested);
}

}  // namespace

PlayerWindow::PlayerWindow(const Config& config, PlayerStatus& status, const EventLog& log)
    : config_(config), status_(status), log_(log) {
  if (!config_.empty_playlist) playlist_.emplace_back();
}

bool PlayerWindow::Create(HINSTANCE instance, int show_command) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = &PlayerWindow::WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);  // shared: never destroyed
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  if (RegisterClassExA(&window_class) == 0) {
    Log("START", 0, 0, 0,
        "window: RegisterClassEx failed, error " + std::to_string(GetLastError()));
    return false;
  }

  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, kStyle, FALSE);
  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, this);
  if (window == nullptr) {
    Log("START", 0, 0, 0, "window: CreateWindowEx failed, error " + std::to_string(GetLastError()));
    return false;
  }
  window_.reset(window);
  CreateButtons(window, instance);
  ShowWindow(window, show_command);
  UpdateWindow(window);
  if (const std::string note = HangIf(HangOn::kShown); !note.empty()) Log("START", 0, 0, 0, note);
  return true;
}

LRESULT CALLBACK PlayerWindow::WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, msg, wparam, lparam);
  return self->Handle(window, msg, wparam, lparam);
}

LRESULT PlayerWindow::Handle(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg >= WM_USER) return OnUserMessage(window, msg, wparam, lparam);
  switch (msg) {
    case WM_COMMAND:
      OnCommand(window, wparam, lparam);
      return 0;
    case WM_COPYDATA:
      return OnCopyData(wparam, *reinterpret_cast<const COPYDATASTRUCT*>(lparam));
    case WM_SHOWWINDOW:
      Log("SHOWWINDOW", msg, wparam, lparam);
      break;
    case WM_WINDOWPOSCHANGED:
      LogVisibility(window, msg, wparam, *reinterpret_cast<const WINDOWPOS*>(lparam));
      break;
    case WM_CLOSE:
      Log("CLOSE", msg, wparam, lparam);
      break;  // the default destroys the window, which ends the player
    case WM_DESTROY:
      Log("DESTROY", msg, wparam, lparam);
      window_.release();  // already on its way out
      PostQuitMessage(0);
      return 0;
    case WM_QUERYENDSESSION:
      Log("QUERYENDSESSION", msg, wparam, lparam);
      return TRUE;
    case WM_ENDSESSION:
      Log("ENDSESSION", msg, wparam, lparam);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, msg, wparam, lparam);
}

LRESULT PlayerWindow::OnUserMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_USER && lparam == kIpcIsPlaying) {
    const std::string note = HangIf(HangOn::kIsPlaying);
    if (config_.vanish_on_ask) {
      // The asker's handle is stale the moment it has its answer.
      Log("ISPLAYING", msg, wparam, lparam, "vanishing");
      DestroyWindow(window);
      return 0;
    }
    Log("ISPLAYING", msg, wparam, lparam, note);
    return static_cast<LRESULT>(status_.state.load());
  }
  if (msg == WM_USER && lparam == kIpcSetVolume) {
    const std::string note = HangIf(HangOn::kVolume);
    status_.volume = ClampVolume(wparam);
    InvalidateRect(window, nullptr, TRUE);
    Log("SETVOLUME", msg, wparam, lparam, note);
    return 0;
  }
  if (msg == WM_USER && lparam == kIpcClearPlaylist) {
    // Nothing is left to play: the chime stops with the list.
    playlist_.clear();
    ChangeState(window, PlayState::kStopped);
    Log("DELETE", msg, wparam, lparam, "playlist=0");
    return 0;
  }
  Log("USER", msg, wparam, lparam);
  return DefWindowProcA(window, msg, wparam, lparam);
}

// Adding a file changes nothing about playing, as in the real player; Play plays the list.
LRESULT PlayerWindow::OnCopyData(WPARAM wparam, const COPYDATASTRUCT& data) {
  // lParam points into this process: logged as 0, like the other pointers.
  if (data.dwData != kIpcPlayFile && data.dwData != kIpcPlayFileW) {
    Log("COPYDATA", WM_COPYDATA, wparam, 0, "dwdata=" + std::to_string(data.dwData));
    return FALSE;
  }
  const bool wide = data.dwData == kIpcPlayFileW;
  const std::string_view name = wide ? "PLAYFILEW" : "PLAYFILE";
  const auto path = CopiedPath(data, wide);
  if (const auto* rejected = std::get_if<PathRejected>(&path)) {
    Log(name, WM_COPYDATA, wparam, 0, rejected->why);
    return FALSE;
  }
  playlist_.push_back(std::get<std::string>(path));
  Log(name, WM_COPYDATA, wparam, 0,
      "playlist=" + std::to_string(playlist_.size()) + " file=" + playlist_.back());
  return TRUE;
}

void PlayerWindow::OnCommand(HWND window, WPARAM wparam, LPARAM lparam) {
  // Menus, accelerators and our own buttons (BN_CLICKED) all carry the command in
  // the low word with 0 or 1 above it; anything else is some other notification.
  const bool is_command = (wparam >> 16) <= 1;
  const WORD command = is_command ? LOWORD(wparam) : 0;
  const PlayState state = status_.state.load();
  switch (command) {
    case kCommandPlay:
      OnPlay(window, wparam, lparam);
      return;
    case kCommandPause:
      // Pause toggles between playing and paused; a stopped player stays stopped.
      if (state == PlayState::kPlaying) ChangeState(window, PlayState::kPaused);
      if (state == PlayState::kPaused) ChangeState(window, PlayState::kPlaying);
      Log("PAUSE", WM_COMMAND, wparam, lparam);
      return;
    case kCommandStop:
      ChangeState(window, PlayState::kStopped);
      Log("STOP", WM_COMMAND, wparam, lparam);
      return;
    case kCommandQuit:
      OnQuit(window, wparam, lparam);
      return;
    default:
      Log("COMMAND", WM_COMMAND, wparam, lparam);
      return;
  }
}

void PlayerWindow::OnPlay(HWND window, WPARAM wparam, LPARAM lparam) {
  if (playlist_.empty()) {
    Log("PLAY", WM_COMMAND, wparam, lparam, "empty playlist");
    return;
  }
  ChangeState(window, PlayState::kPlaying);
  // The chime needs no name; an added file is named, so a test sees which one plays.
  const std::string& file = playlist_.front();
  Log("PLAY", WM_COMMAND, wparam, lparam, file.empty() ? "" : "file=" + file);
}

void PlayerWindow::OnQuit(HWND window, WPARAM wparam, LPARAM lparam) {
  std::string note = HangIf(HangOn::kQuit);
  if (config_.ignore_quit) {
    note = "ignored (WINAMP_STANDIN_IGNORE_QUIT)" + (note.empty() ? "" : " " + note);
    Log("QUIT", WM_COMMAND, wparam, lparam, note);
    return;
  }
  Log("QUIT", WM_COMMAND, wparam, lparam, note);
  DestroyWindow(window);
}

std::string PlayerWindow::HangIf(HangOn message) const {
  if (config_.hang.count() <= 0 || config_.hang_on != message) return {};
  // A hung player: the window thread stops pumping, so SendMessage callers wait and
  // IsHungAppWindow eventually says so.
  Sleep(static_cast<DWORD>(config_.hang.count()));
  return "after hanging " + std::to_string(config_.hang.count()) + " ms";
}

void PlayerWindow::LogVisibility(HWND window, UINT msg, WPARAM wparam, const WINDOWPOS& pos) {
  // WM_SHOWWINDOW does not come when showing also changes the minimised state: not for
  // a start minimised, and not under Wine when another process restores the hidden,
  // minimised window with SW_SHOWDEFAULT. The position change always comes.
  if ((pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) == 0) return;
  const std::string note = "visible=" + std::to_string(IsWindowVisible(window) ? 1 : 0) +
                           " iconic=" + std::to_string(IsIconic(window) ? 1 : 0);
  Log("WINDOWPOS", msg, wparam, 0, note);  // lParam points into this process: not logged
}

void PlayerWindow::ChangeState(HWND window, PlayState state) {
  status_.state = state;
  InvalidateRect(window, nullptr, TRUE);
}

void PlayerWindow::CreateButtons(HWND window, HINSTANCE instance) {
  struct Button {
    const char* label;
    WORD command;
  };
  constexpr Button kButtons[] = {
      {"Play", kCommandPlay}, {"Pause", kCommandPause}, {"Stop", kCommandStop}};
  // Stock font: owned by the system, nothing to free.
  auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  int x = kMargin;
  for (const Button& button : kButtons) {
    // Children belong to the window and go with it.
    HWND child = CreateWindowExA(
        0, "BUTTON", button.label, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x,
        kClientHeight - kMargin - kButtonHeight, kButtonWidth, kButtonHeight, window,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.command)), instance, nullptr);
    if (child != nullptr) SendMessageA(child, WM_SETFONT, font, FALSE);
    x += kButtonWidth + kMargin / 2;
  }
}

void PlayerWindow::Paint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  HGDIOBJ previous_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const int volume = status_.volume.load();
  const std::string text = std::string("Stand-in player: ") + StateLabel(status_.state.load()) +
                           "\nVolume: " + std::to_string(volume) + " / " +
                           std::to_string(kMaxVolume) + " (" +
                           std::to_string((volume * 100 + kMaxVolume / 2) / kMaxVolume) + " %)";
  RECT area{kMargin, kMargin, kClientWidth - kMargin, kClientHeight - kButtonHeight - kMargin};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_NOPREFIX);
  SelectObject(dc, previous_font);
  EndPaint(window, &paint);
}

void PlayerWindow::Log(std::string_view name, UINT msg, WPARAM wparam, LPARAM lparam,
                       std::string_view note) const {
  log_.Write({.name = name,
              .msg = msg,
              .wparam = wparam,
              .lparam = lparam,
              .state = status_.state.load(),
              .volume = status_.volume.load(),
              .note = note});
}

}  // namespace morv::standin
