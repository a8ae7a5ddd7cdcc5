// The fault drill: each fault a player, the registry or the keyboard can throw at the real
// program, made to happen. Through every one Morvane keeps answering within ten seconds, shows
// what it should, rings at most once and loses no setting.
#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/foreign_window.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;

// Posts the window's thread a marker over and over and keeps the longest time it took to take
// it from its queue: input, painting and timers wait exactly as long. (A sent message would not
// do: a thread blocked in SendMessage still answers those.) A window that takes nothing for ten
// seconds looks hung to Windows, and to the user.
class ResponsivenessWatch {
 public:
  explicit ResponsivenessWatch(HWND window)
      : thread_([this, window] {
          while (!stop_ && IsWindow(window)) {
            const auto start = steady_clock::now();
            try {
              uidriver::settle(window, 30s);
            } catch (const uidriver::DriverError&) {
            }
            longest_ = std::max<long long>(
                longest_, duration_cast<milliseconds>(steady_clock::now() - start).count());
            Sleep(100);
          }
        }) {}
  ~ResponsivenessWatch() {
    stop_ = true;
    thread_.join();
  }
  milliseconds longest() const { return milliseconds(longest_.load()); }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<long long> longest_{0};
  std::thread thread_;
};

// The settings key, in both hives, made to refuse every write ("KR") or to take them ("KA").
void LockKeys(const char* sddl) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) SetKeyRights(root, kSettingsKey, sddl);
}

class FaultDrillTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    log = FreshLogPath("drill");
  }
  void TearDown() override {
    LockKeys("D:P(A;;KA;;;WD)");
    MoveFileA(kPlayerAway, kPlayerProgram);
    E2eTest::TearDown();
  }
  // Morvane with the stand-in player behaving as `player` says whenever it starts it, watched.
  std::unique_ptr<MorvaneApp> Start(uidriver::Environment player = {}) {
    player.emplace_back("WINAMP_STANDIN_LOG", log);
    auto app = std::make_unique<MorvaneApp>(LaunchSettings{.environment = std::move(player)});
    watch = std::make_unique<ResponsivenessWatch>(app->main);
    return app;
  }
  // Every test ends here: the window answered within ten seconds all along.
  void Report(const char* fault) {
    std::printf("%s: the window went at most %lld ms unanswered\n", fault,
                static_cast<long long>(watch->longest().count()));
    EXPECT_LT(watch->longest(), 10s) << fault;
    watch.reset();
  }
  // An alarm for the present minute, armed: it rings right after.
  static void Ring(MorvaneApp& app) {
    app.enterAlarm(PresentMinute(20s));
    app.arm();
    app.awaitStatus(kAlarmBanner, 40s);
  }
  // Snooze, then the stop path must leave the button reading "Turn &On" again.
  static void Snooze(MorvaneApp& app) {
    uidriver::click(app.button("Snoo&ze"), 0ms);
    app.enabledButton("Turn &On", 20s);
  }
  int Plays() const { return static_cast<int>(Logged(log, "PLAY").size()); }

  std::string log;
  std::unique_ptr<ResponsivenessWatch> watch;
};

// A player that misbehaves at one step of the alarm: late to show its window, hung when asked
// whether it plays or told to quit, ignoring Quit, two windows at once. The alarm still rings and
// is snoozed, and the player hears Play at most once.
TEST_F(FaultDrillTest, APlayerMisbehavingAtTheAlarm) {
  const struct {
    const char* fault;
    const char* variable;  // of the stand-in; a hang lasts 15 s
    const char* value;
    int standIns;    // players already running before Morvane starts
    int minPlays;    // at most one
    int windowLeft;  // a player window after the snooze: 1, 0, or -1 when either will do
  } cases[] = {
      {"player appearing late", "WINAMP_STANDIN_APPEAR_DELAY_MS", "7000", 0, 0, -1},
      {"player hung at firing", "WINAMP_STANDIN_HANG_ON", "isplaying", 0, 0, -1},
      {"player hung at snooze", "WINAMP_STANDIN_HANG_ON", "quit", 0, 1, -1},
      {"player ignoring quit", "WINAMP_STANDIN_IGNORE_QUIT", "1", 0, 1, 1},
      {"two player windows", "WINAMP_STANDIN_SILENT", "1", 2, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    SetUp();
    const uidriver::Environment player{{c.variable, c.value}, {"WINAMP_STANDIN_HANG_MS", "15000"}};
    std::vector<std::unique_ptr<StandInPlayer>> standIns;
    for (int i = 0; i < c.standIns; ++i) {
      standIns.push_back(std::make_unique<StandInPlayer>(
          uidriver::Environment{{c.variable, c.value}, {"WINAMP_STANDIN_LOG", log}}));
    }
    auto app = Start(c.standIns ? decltype(player){} : player);
    Ring(*app);
    Snooze(*app);
    EXPECT_GE(Plays(), c.minPlays);
    EXPECT_LE(Plays(), 1);
    if (c.windowLeft >= 0) {
      EXPECT_EQ(PlayerWindow() != nullptr, c.windowLeft == 1);
    }
    Report(c.fault);
  }
}

// The player closes its window while it is being asked whether it plays: every handle Morvane
// holds to it is stale at once. Still armed, the tick starts the vanished player again.
TEST_F(FaultDrillTest, AStalePlayerHandle) {
  const auto started = Start({{"WINAMP_STANDIN_VANISH_ON_ASK", "1"}});
  MorvaneApp& app = *started;
  Ring(app);
  if (auto box = uidriver::findMessageBox(app.pid(), "MORV")) {
    EXPECT_EQ(box->text, "Couldn't queue message for 5 seconds: 40045");
    uidriver::answer(*box, "OK");
  }
  uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 15s, "the player started again",
                      app.pid());
  Snooze(app);
  EXPECT_EQ(Plays(), 0);
  Report("stale player handle");
}

// A saved alarm whose date is a hundred thousand characters names no day: Morvane reads it
// without a stall, restores no half alarm, and leaves what was stored as it was.
TEST_F(FaultDrillTest, ASettingAHundredThousandCharactersLong) {
  const std::string date(100000, '7');
  StoreSetting("SettingsSaved", "Yes");
  StoreSetting("Date:", date);
  StoreSetting("Time:", "7:05 AM");
  auto app = Start();
  EXPECT_EQ(app->status().find("7777777"), std::string::npos) << app->status().substr(0, 80);
  EXPECT_NE(app->timeText(), "7:05 AM");
  Report("a huge setting");
  app->exit(/*save=*/true);
  EXPECT_TRUE(Setting("Date:") == date) << "the stored date was not kept";
}

// Writes refused in HKEY_LOCAL_MACHINE, as for a standard user, go to the user's hive; refused in
// both hives, the user is told, may keep the program, and what was stored stays as it was. A
// typed time is checked before whatever leaves the box acts: Alt+O must never arm the time being
// replaced, nor Alt+C clear around the question, nor Turn On after the window was left and came
// back. Then a close request to the hidden application window, Explorer restarted while the icon
// is in the tray, and everything a user or Windows can do under an open close query: there is one
// query. Last, the player's program missing when arming.
TEST_F(FaultDrillTest, RegistryRefusedTypedTimesClosesAndCommandsUnderAnOpenBox) {
  const auto started = Start();
  MorvaneApp& app = *started;
  const auto userSetting = [] { return RegText(HKEY_CURRENT_USER, kSettingsKey, "StartInTray"); };
  SetKeyRights(HKEY_LOCAL_MACHINE, kSettingsKey, "D:P(A;;KR;;;WD)");
  uidriver::pressKey(app.main, VK_F2);
  EXPECT_EQ(userSetting(), "Yes");
  LockKeys("D:P(A;;KR;;;WD)");
  uidriver::pressKey(app.main, VK_F2, {}, 0ms);
  EXPECT_EQ(app.answerBox("ERROR!", "OK").text,
            "There was an error writing to the registry!\r\nPlease restart your computer!");
  app.answerBox("Close Morvane?", "No");
  EXPECT_TRUE(uidriver::settle(app.main));
  EXPECT_EQ(Setting("StartInTray"), "No");
  EXPECT_EQ(userSetting(), "Yes");
  LockKeys("D:P(A;;KA;;;WD)");

  const AlarmMinute earlier = MinuteAhead(2h);
  app.enterAlarm(earlier);
  for (auto [typed, key] :
       {std::pair{"11:45", 'O'}, std::pair{"11:50", 'C'}, std::pair{"11:55", '\0'}}) {
    SCOPED_TRACE(key ? std::string("Alt+") + key : "Turn On after switching away and back");
    app.typeTime(typed, /*leave=*/false);
    if (key) {
      uidriver::pressKey(app.timeBox, key, {.alt = true}, 0ms);
    } else {
      // Away and back as from the taskbar: activated again, the window gives the focus back.
      ShowWindow(app.main, SW_MINIMIZE);
      uidriver::waitUntil([&] { return IsIconic(app.main) != FALSE; }, 5s, "the minimise");
      ShowWindow(app.main, SW_RESTORE);
      uidriver::waitUntil([&] { return GetForegroundWindow() == app.main; }, 5s, "the restore");
      uidriver::click(app.button("Turn &On"), 0ms);
    }
    app.answerBox("AM/PM Query:", "Yes");
    uidriver::settle(app.main);
    EXPECT_EQ(app.timeText(), std::string(typed) + " AM");
    EXPECT_EQ(uidriver::windowText(app.dateLabel), ShortDate(earlier.day));
  }
  EXPECT_EQ(PlayerWindow(), nullptr) << "nothing was armed";
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app.pid()));

  const HWND application = FindWindowA("ThunderRT6Main", "MORV");
  ASSERT_NE(application, nullptr);
  PostMessageA(application, WM_CLOSE, 0, 0);
  app.answerBox("Close Morvane?", "No");
  EXPECT_TRUE(uidriver::settle(app.main));
  EXPECT_TRUE(IsWindowVisible(app.main)) << "a refused close leaves everything running";

  // Explorer's new notification area knows no icons until the programs hear TaskbarCreated.
  // Under Wine explorer is the virtual desktop too, and ending it would take every test's
  // windows along; so the shell forgets the icon here, then announces a new taskbar.
  uidriver::click(app.button("Send To &Tray"));
  uidriver::waitForTrayIcon(kTrayTip, 10s);
  NOTIFYICONDATAW forgotten{};
  forgotten.cbSize = sizeof(forgotten);
  forgotten.hWnd = app.main;
  forgotten.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(kTrayTip); }, 10s, "icon forgotten");
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);

  // Under the query, a tray click, closes from the application and the main window, and
  // Windows shutting down are all taken and none opens a menu or a second query.
  app.chooseFromTrayMenu("E&xit");
  const auto query = uidriver::waitForMessageBox(app.pid(), "Close Morvane?", 10s);
  const auto icon = uidriver::waitForTrayIcon(kTrayTip, 10s);
  uidriver::clickTrayIcon(icon, /*right=*/true);
  uidriver::settle(icon.tray);
  PostMessageA(application, WM_CLOSE, 0, 0);
  PostMessageA(app.main, WM_CLOSE, 0, 0);
  PostMessageA(app.main, WM_QUERYENDSESSION, 0, 0);
  EXPECT_TRUE(uidriver::settle(app.main));
  EXPECT_EQ(uidriver::findWindow(app.pid(), {.className = "#32768", .visibleOnly = true}), nullptr)
      << "a tray menu under the query";
  int queries = 0;
  for (HWND window : uidriver::topLevelWindows(app.pid())) {
    queries += IsWindowVisible(window) && uidriver::windowTitle(window) == "Close Morvane?";
  }
  EXPECT_EQ(queries, 1);
  uidriver::answer(query, "No");
  uidriver::settle(app.main);
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app.pid())) << "a second query after the first";
  app.chooseFromTrayMenu("&Show Morvane");

  // Last, the player's program gone when arming: the close is asked for; refused or not, an
  // alarm that cannot ring ends the program.
  app.enterAlarm(MinuteAhead(2h));
  ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
  uidriver::click(app.button("Turn &On"), 0ms);
  auto missing = app.answerBox("MORV", "OK");
  EXPECT_EQ(missing.text, "WinAmp Could Not Be Loaded, And Therefore The Alarm Could Not Execute!");
  EXPECT_EQ(missing.icon, uidriver::BoxIcon::kError);
  app.answerBox("Close Morvane?", "No");
  EXPECT_EQ(app.process.waitForExit(10s), 0u);
  EXPECT_EQ(Setting("WinAmpOnStart"), "No") << "nothing else was touched";
  EXPECT_EQ(Setting("StartInTray"), "Yes") << "arming turned it on, as always";
  Report("registry refused, typed times, closes, commands under a box, player missing");
}

// A second start finds the running instance's own main window, whatever window lies next to its
// application window, and brings it forward: restored when minimised, out of the tray the way
// "&Show Morvane" does it when in the tray. Then a player that hangs right after it has shown its
// window: arming hides that window without waiting for the player's answer, and the clock goes on.
TEST_F(FaultDrillTest, ASecondStartWithAnotherProgramsWindowInBetweenAndAPlayerHungOnShowing) {
  const auto started =
      Start({{"WINAMP_STANDIN_HANG_ON", "shown"}, {"WINAMP_STANDIN_HANG_MS", "20000"}});
  MorvaneApp& first = *started;
  const ForeignWindow raised("Notepad");
  SetWindowPos(raised.window(), first.main, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(first.main, SW_MINIMIZE);
  uidriver::waitUntil([&] { return IsIconic(first.main) != FALSE; }, 5s, "the minimise");
  const auto startAgain = [] {
    auto second = uidriver::Process::launch({.executable = uidriver::buildFolder() + "\\morvu.exe",
                                             .workingDirectory = uidriver::buildFolder()});
    EXPECT_EQ(second.waitForExit(15s), 0u);
    EXPECT_EQ(uidriver::findWindow(second.pid(), {.visibleOnly = true}), nullptr)
        << "the second start showed a window";
  };
  startAgain();
  uidriver::waitUntil([&] { return !IsIconic(first.main); }, 5s, "the first window restored");
  uidriver::waitUntil([&] { return GetForegroundWindow() == first.main; }, 5s, "it in front");
  EXPECT_FALSE(IsIconic(raised.window()));

  uidriver::click(first.button("Send To &Tray"));
  uidriver::waitForTrayIcon(kTrayTip, 10s);
  startAgain();
  uidriver::waitUntil([&] { return IsWindowVisible(first.main) != FALSE; }, 5s, "out of the tray");
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(kTrayTip); }, 5s, "the icon removed");

  first.enterAlarm(MinuteAhead(2h));
  first.arm();
  EXPECT_TRUE(first.button("Turn &Off"));
  Report("second start, player hung after showing its window");
  first.exit(/*save=*/false, /*closePlayer=*/false);
}

}  // namespace
}  // namespace morv::e2e
