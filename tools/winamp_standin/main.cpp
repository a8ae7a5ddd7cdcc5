// winamp-standin.exe: a small player that answers the window messages the alarm
// clock sends to Winamp, plays a chime, and logs what it was told. It stands in for
// the real player in tests and on machines without one. The switches it reads from
// the environment are described in standin_config.h and README.md.
#include <windows.h>

#include <chrono>
#include <string>

#include "tools/winamp_standin/audio_output.h"
#include "tools/winamp_standin/event_log.h"
#include "tools/winamp_standin/player_status.h"
#include "tools/winamp_standin/player_window.h"
#include "tools/winamp_standin/standin_config.h"

namespace {

using morv::standin::AudioOutput;
using morv::standin::Config;
using morv::standin::EventLog;
using morv::standin::PlayerStatus;
using morv::standin::PlayerWindow;

void Record(const EventLog& log, const PlayerStatus& status, std::string_view name,
            std::string_view note) {
  log.Write(
      {.name = name, .state = status.state.load(), .volume = status.volume.load(), .note = note});
}

std::string DescribeStart(const Config& config, int show_command) {
  return "start appear_delay_ms=" + std::to_string(config.appear_delay.count()) +
         " hang_ms=" + std::to_string(config.hang.count()) +
         " hang_on=" + std::to_string(static_cast<int>(config.hang_on)) +
         " vanish_on_ask=" + std::to_string(config.vanish_on_ask ? 1 : 0) +
         " ignore_quit=" + std::to_string(config.ignore_quit ? 1 : 0) +
         " silent=" + std::to_string(config.silent ? 1 : 0) +
         " empty_playlist=" + std::to_string(config.empty_playlist ? 1 : 0) +
         " show=" + std::to_string(show_command) + " log=" + config.log_path;
}

int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  const Config config = morv::standin::ReadConfigFromEnvironment();
  const EventLog log(config.log_path);
  PlayerStatus status;
  status.state = config.initial_state;

  Record(log, status, "START", DescribeStart(config, show_command));
  for (const std::string& problem : config.problems) Record(log, status, "START", problem);

  if (config.appear_delay.count() > 0) Sleep(static_cast<DWORD>(config.appear_delay.count()));

  // The window comes first: under Wine the audio thread spends about a second loading
  // and probing sound drivers, and the window thread would queue behind it for the
  // loader lock if it still had its own drivers to load.
  PlayerWindow window(config, status, log);
  const bool created = window.Create(instance, show_command);
  AudioOutput audio(status, log);
  if (created && config.silent) Record(log, status, "AUDIO", "audio: silent by request");
  if (created && !config.silent) audio.Start();
  const int exit_code = created ? RunMessageLoop() : 1;

  const bool audio_stopped = audio.Shutdown(std::chrono::seconds(2));
  Record(log, status, "EXIT",
         "exit code=" + std::to_string(exit_code) +
             (audio_stopped ? "" : " (audio driver did not let go; leaving without it)"));
  // The audio thread still uses `audio` and `log`: leave without unwinding them.
  if (!audio_stopped) ExitProcess(static_cast<UINT>(exit_code));
  return exit_code;
}
