#pragma once
// The player's window: the only thing the alarm clock talks to. It answers the
// playing-state and volume requests, keeps a playlist that files are added to and that
// can be cleared, obeys play/pause/stop/quit commands, logs every message that matters
// to the tests, and shows a small status panel to humans.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"
#include "tools/winamp_standin/event_log.h"
#include "tools/winamp_standin/player_status.h"
#include "tools/winamp_standin/standin_config.h"

namespace morv::standin {

class PlayerWindow {
 public:
  PlayerWindow(const Config& config, PlayerStatus& status, const EventLog& log);
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;

  // Registers the window class, creates the window and shows it with show_command
  // (the caller's STARTUPINFO choice). False, with the reason logged, on failure.
  bool Create(HINSTANCE instance, int show_command);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT OnUserMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT OnCopyData(WPARAM wparam, const COPYDATASTRUCT& data);
  void OnCommand(HWND window, WPARAM wparam, LPARAM lparam);
  void OnPlay(HWND window, WPARAM wparam, LPARAM lparam);
  void OnQuit(HWND window, WPARAM wparam, LPARAM lparam);
  // Blocks the window thread when `message` is the one configured to hang it; the note
  // for the log, empty when it did not.
  std::string HangIf(HangOn message) const;
  void LogVisibility(HWND window, UINT msg, WPARAM wparam, const WINDOWPOS& pos);
  void ChangeState(HWND window, PlayState state);
  void CreateButtons(HWND window, HINSTANCE instance);
  void Paint(HWND window);
  void Log(std::string_view name, UINT msg, WPARAM wparam, LPARAM lparam,
           std::string_view note = {}) const;

  const Config& config_;
  PlayerStatus& status_;
  const EventLog& log_;
  // Released in WM_DESTROY: the quit command destroys the window from inside.
  win32::UniqueHwnd window_;
  // The files Play plays, the first first; the empty name is the chime the player starts
  // with, unless it starts with an empty playlist.
  std::vector<std::string> playlist_;
};

}  // namespace morv::standin
