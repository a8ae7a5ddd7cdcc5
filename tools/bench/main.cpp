// morvbench.exe: runs Morvane and the floor through the benchmark's scenes (start-ups,
// rest shown, in the tray, in the tray with one alarm on and with 20, alarms rung) and
// reports each step on the line protocol of channel.h. The measuring and the report are
// scripts/bench's: this side only drives and times what can be seen from inside Wine.
//
//   morvbench <morvu.exe> <morv-floor.exe> [--startups N] [--alarms N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "tools/bench/alarm_rounds.h"
#include "tools/bench/channel.h"
#include "tools/bench/gui_objects.h"
#include "tools/bench/saved_alarms.h"
#include "tools/bench/startup_probe.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::bench {
namespace {

using namespace std::chrono_literals;
using driver::ResetSettings;

struct Paths {
  std::string morvane;    // morvu.exe
  std::string floor;      // morv-floor.exe
  std::string playerLog;  // where the stand-in player logs
};

constexpr char kFloorClass[] = "MorvaneFloorWindow";
constexpr char kMainClass[] = "MorvaneMainWindow";
// Beside the main window's alarm, the most the list holds.
constexpr int kListAlarms = 19;

// Launches a program with the stand-in player silent and logging to `playerLog`. The
// start is timed from before this call: no waiting for input idle here.
uidriver::Process Launch(const std::string& executable, const std::string& playerLog) {
  return uidriver::Process::launch(
      {.executable = executable,
       .workingDirectory = executable.substr(0, executable.find_last_of("\\/")),
       .environment = {{"WINAMP_STANDIN_SILENT", "1"}, {"WINAMP_STANDIN_LOG", playerLog}},
       .idleTimeout = 0ms});
}

// "Send To &Tray"; false when the window is still shown afterwards. The click does not
// wait through the driver's agent, which would otherwise stay loaded in the program
// that is measured next.
bool SendToTray(driver::MorvaneApp& app) {
  uidriver::click(app.button("Send To &Tray"), 0ms);
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!IsWindowVisible(app.main)) return true;
    Sleep(50);
  }
  return false;
}

std::string Ms(double value) { return std::to_string(static_cast<long long>(value + 0.5)); }

void TimeStartups(const Paths& paths, int runs) {
  // The first start after the prefix was made loads Wine's libraries from disk: one
  // start of each, untimed, so every timed one starts warm.
  for (const std::string& program : {paths.floor, paths.morvane}) {
    ResetSettings();
    uidriver::Process warm = Launch(program, paths.playerLog);
    uidriver::waitForWindow(warm.pid(), program == paths.floor ? kFloorClass : kMainClass, 60s);
    warm.terminate();
  }
  for (int run = 1; run <= runs; ++run) {
    uidriver::Process floor;
    const StartupTiming floorTiming =
        TimeStartup([&] { return Launch(paths.floor, paths.playerLog); }, floor, kFloorClass);
    Request("startup role=floor run=" + std::to_string(run) +
            " shown_ms=" + Ms(floorTiming.shownMs));
    floor.terminate();

    ResetSettings();
    uidriver::Process morvane;
    const StartupTiming timing =
        TimeStartup([&] { return Launch(paths.morvane, paths.playerLog); }, morvane, kMainClass);
    Request("startup role=morvane run=" + std::to_string(run) + " shown_ms=" + Ms(timing.shownMs) +
            " splash=" + (timing.splash ? "1" : "0") + " splash_ms=" + Ms(timing.splashMs) +
            " splash_class=" + (timing.splash ? timing.splashClass : "-"));
    morvane.terminate();
  }
}

void Rest(const char* phase, const uidriver::Process& morvane, const uidriver::Process& floor) {
  // A pointer resting on a window keeps its tooltip's leave check running ten times a
  // second: a user's pointer moves on, the benchmark's must too.
  SetCursorPos(0, 0);
  const std::string where = std::string(" phase=") + phase;
  Event("gui role=morvane when=start" + where + " " +
        Describe(CountGuiObjects(morvane.handle(), morvane.pid())));
  Event("gui role=floor when=start" + where + " " +
        Describe(CountGuiObjects(floor.handle(), floor.pid())));
  Request("idle" + where + " morvane_pid=" + std::to_string(morvane.pid()) +
          " floor_pid=" + std::to_string(floor.pid()));
  Event("gui role=morvane when=end" + where + " " +
        Describe(CountGuiObjects(morvane.handle(), morvane.pid())));
  Event("gui role=floor when=end" + where + " " +
        Describe(CountGuiObjects(floor.handle(), floor.pid())));
}

// In the tray with the main window's alarm armed and `listAlarms` of the list's on, all
// hours ahead: until the soonest falls due, a tick should cost the same however many
// there are. Each phase starts a fresh Morvane, which finds its alarms in the registry.
void RestWithAlarms(const Paths& paths, const uidriver::Process& floor, int listAlarms) {
  ResetSettings();
  const std::string first = SaveAlarmsAhead(listAlarms);
  driver::MorvaneApp app(Launch(paths.morvane, paths.playerLog));
  const std::string phase = "alarms-" + std::to_string(listAlarms + 1);
  Sleep(5000);
  if (SendToTray(app)) {
    Sleep(3000);
    Rest(phase.c_str(), app.process, floor);
    const bool armed = app.status().starts_with("Alarm Settings: ON");
    Event("alarms phase=" + phase + " armed=" + (armed ? "1" : "0") + " first=" + first +
          " list=" + std::to_string(listAlarms) + " list_on=" + std::to_string(ListAlarmsOn()));
  } else {
    Event("alarms phase=" + phase + " note=the window stayed shown after Send To Tray");
  }
  app.process.terminate();
  // The start armed the main window's alarm and so started the player; the next phase
  // starts its own.
  driver::EndEveryPlayer();
}

void MeasureRest(const Paths& paths) {
  uidriver::Process floor = Launch(paths.floor, paths.playerLog);
  uidriver::waitForWindow(floor.pid(), kFloorClass, 30s);
  ResetSettings();
  driver::MorvaneApp app(Launch(paths.morvane, paths.playerLog));
  // Whatever the start-up left to finish is not rest.
  Sleep(5000);
  Rest("shown", app.process, floor);
  if (SendToTray(app)) {
    Event("tray available=1");
    Sleep(3000);
    Rest("tray", app.process, floor);
  } else {
    Event("tray available=0 note=the window stayed shown after Send To Tray");
  }
  app.process.terminate();
  RestWithAlarms(paths, floor, kListAlarms);
  RestWithAlarms(paths, floor, 0);
  floor.terminate();
}

void MeasureAlarms(const Paths& paths, int rounds) {
  ResetSettings();
  auto app = std::make_unique<driver::MorvaneApp>(Launch(paths.morvane, paths.playerLog));
  for (int number = 1; number <= rounds; ++number) {
    AlarmRound round;
    try {
      // Spread over the second, so the figures cover every phase of the clock's tick.
      round = RunAlarmRound(*app, paths.playerLog, (number - 1) * 1000 / rounds);
    } catch (const std::exception& error) {
      round.note = error.what();
      // Whatever state it was left in, the next round starts from a fresh program.
      app->process.terminate();
      if (HWND player = driver::PlayerWindow()) PostMessageA(player, WM_CLOSE, 0, 0);
      ResetSettings();
      app = std::make_unique<driver::MorvaneApp>(Launch(paths.morvane, paths.playerLog));
    }
    std::string line = "alarm n=" + std::to_string(number) + " rang=" + (round.rang ? "1" : "0") +
                       " delay_ms=" + std::to_string(round.delayMs) +
                       " minute=" + (round.minute.empty() ? "-" : round.minute);
    if (!round.note.empty()) {
      std::string note = round.note;
      for (char& c : note) {
        if (c == '\n' || c == '\r') c = ' ';
      }
      line += " note=" + note;
    }
    Event(line);
  }
  app->process.terminate();
}

int Run(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: morvbench <morvu.exe> <morv-floor.exe> [--startups N] "
                 "[--alarms N]\n");
    return 2;
  }
  Paths paths{uidriver::windowsPath(argv[1]), uidriver::windowsPath(argv[2]),
              driver::FreshLogPath("morvbench-player")};
  int startups = 5;
  int alarms = 5;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--startups") startups = std::atoi(argv[i + 1]);
    if (option == "--alarms") alarms = std::atoi(argv[i + 1]);
  }
  Event("begin morvane=" + paths.morvane + " floor=" + paths.floor);
  TimeStartups(paths, startups);
  MeasureRest(paths);
  MeasureAlarms(paths, alarms);
  Event("done");
  return 0;
}

}  // namespace
}  // namespace morv::bench

int main(int argc, char** argv) {
  try {
    return morv::bench::Run(argc, argv);
  } catch (const std::exception& error) {
    morv::bench::Event(std::string("failed ") + error.what());
    return 1;
  }
}
