// The fault drill: the faults a player, the registry and the shell can throw at the real program,
// made to happen. Through every one Morvane keeps answering within ten seconds, shows what it
// should, rings at most once and loses no setting.
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
struct ResponsivenessWatch {
  explicit ResponsivenessWatch(HWND window)
      : thread([this, window] {
          while (!stop && IsWindow(window)) {
            const auto start = steady_clock::now();
            try {
              uidriver::settle(window, 30s);
            } catch (const uidriver::DriverError&) {
            }
            longestMs = std::max<long long>(
                longestMs, duration_cast<milliseconds>(steady_clock::now() - start).count());
            Sleep(100);
          }
        }) {}
  ~ResponsivenessWatch() {
    stop = true;
    thread.join();
  }
  std::atomic<bool> stop{false};
  std::atomic<long long> longestMs{0};
  std::thread thread;
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
    E2eTest::TearDown();
  }
  // Morvane with the stand-in player behaving as `player` says whenever it starts it, watched.
  MorvaneApp Start(uidriver::Environment player = {}) {
    player.emplace_back("WINAMP_STANDIN_LOG", log);
    MorvaneApp app({.environment = std::move(player)});
    watch = std::make_unique<ResponsivenessWatch>(app.main);
    return app;
  }
  // Every test ends here: the window answered within ten seconds all along.
  void Report(const char* fault) {
    const long long longest = watch->longestMs;
    std::printf("%s: the window went at most %lld ms unanswered\n", fault, longest);
    EXPECT_LT(longest, 10000) << fault;
    watch.reset();
  }
  std::string log;
  std::unique_ptr<ResponsivenessWatch> watch;
};

// A player hung right after showing its window (arming hides it without waiting for the player's
// answer), when asked whether it plays or when told to quit, or gone while being asked (every
// handle Morvane holds to it stale at once): the alarm still rings and is snoozed, the player
// hears Play at most once, and a vanished one is started again by the tick.
TEST_F(FaultDrillTest, APlayerHungOrGoneAtTheAlarm) {
  const struct {
    const char* fault;
    const char* variable;  // of the stand-in; a hang lasts 15 s
    const char* value;
    int minPlays, maxPlays;
  } cases[] = {
      {"player hung after showing", "WINAMP_STANDIN_HANG_ON", "shown", 0, 1},
      {"player hung at firing", "WINAMP_STANDIN_HANG_ON", "isplaying", 0, 1},
      {"player hung at snooze", "WINAMP_STANDIN_HANG_ON", "quit", 1, 1},
      {"stale player handle", "WINAMP_STANDIN_VANISH_ON_ASK", "1", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    SetUp();
    auto app = Start({{c.variable, c.value}, {"WINAMP_STANDIN_HANG_MS", "15000"}});
    app.enterAlarm(PresentMinute(20s));  // rings right after the arming
    app.arm();
    app.awaitStatus(kAlarmBanner, 40s);
    if (auto box = uidriver::findMessageBox(app.pid(), "MORV")) {
      EXPECT_EQ(box->text, "Couldn't queue message for 5 seconds: 40045");
      uidriver::answer(*box, "OK");
    }
    uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 15s, "the player", app.pid());
    // Snoozed, the stop path must leave the button reading "Turn &On" again.
    uidriver::click(app.button("Snoo&ze"), 0ms);
    app.button("Turn &On", 20s);
    const int plays = static_cast<int>(Logged(log, "PLAY").size());
    EXPECT_GE(plays, c.minPlays);
    EXPECT_LE(plays, c.maxPlays);
    Report(c.fault);
  }
}

// A saved date of a hundred thousand characters, its day readable among them, is shown and saved
// back whole. (A status bar reports the length of its text in 16 bits: read back, it is the
// summary's start.)
TEST_F(FaultDrillTest, ASettingAHundredThousandCharactersLong) {
  const std::string date = ShortDate(MinuteAhead(24h).day) + std::string(100000, 'x');
  StoreSetting("SettingsSaved", "Yes");
  StoreSetting("Date:", date);
  StoreSetting("Time:", "7:05 AM");
  auto app = Start();
  const std::string summary = "Alarm Settings: OFF  Date: " + date + " Time: 7:05 AM ALARM IS SET.";
  // The window may be up a moment before its status bar is filled.
  uidriver::waitUntil([&] { return !app.status().empty(); }, 20s, "the status", app.pid());
  const std::string shown = app.status();
  EXPECT_GT(shown.size(), 30000u);
  EXPECT_EQ(summary.compare(0, shown.size(), shown), 0) << "not the summary's start";
  Report("a huge setting");
  app.exit(/*save=*/true);
  EXPECT_TRUE(Setting("Date:") == date) << "not saved back whole";
}

// On one start: writes refused in HKEY_LOCAL_MACHINE, as for a standard user, go to the user's
// hive; refused in both, the user is told, may keep the program, and what was stored stays. A
// close request to the hidden application window is the user's to refuse. Explorer restarted
// while the icon is in the tray gets the icon back. A second start finds the running instance's
// own main window, whatever window lies next to its application window, and brings it forward,
// out of the tray or restored.
TEST_F(FaultDrillTest, RegistryRefusedExplorerRestartedAndASecondStart) {
  MorvaneApp app = Start();

  const auto userSetting = [] { return RegText(HKEY_CURRENT_USER, kSettingsKey, "StartInTray"); };
  SetKeyRights(HKEY_LOCAL_MACHINE, kSettingsKey, "D:P(A;;KR;;;WD)");
  uidriver::pressKey(app.main, VK_F2);
  EXPECT_EQ(userSetting(), "Yes");
  LockKeys("D:P(A;;KR;;;WD)");
  uidriver::pressKey(app.main, VK_F2, 0, 0ms);
  // The box's words are the core's; that Windows shows it as an error is this layer's.
  EXPECT_EQ(app.answerBox("ERROR!", "OK").icon, uidriver::BoxIcon::kError);
  app.answerBox("Close Morvane?", "No");
  EXPECT_TRUE(uidriver::settle(app.main));
  EXPECT_EQ(Setting("StartInTray"), "No");
  EXPECT_EQ(userSetting(), "Yes");
  LockKeys("D:P(A;;KA;;;WD)");

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
  NOTIFYICONDATAW forgotten{.cbSize = sizeof(forgotten), .hWnd = app.main, .uID = 1};
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(kTrayTip); }, 10s, "icon forgotten");
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  uidriver::waitForTrayIcon(kTrayTip, 10s);

  const auto startAgain = [] {
    auto second = uidriver::Process::launch({.executable = uidriver::buildFolder() + "\\morvu.exe",
                                             .workingDirectory = uidriver::buildFolder()});
    EXPECT_EQ(second.waitForExit(15s), 0u);
    EXPECT_EQ(uidriver::findWindow(second.pid()), nullptr) << "the second start showed a window";
  };
  startAgain();
  uidriver::waitUntil([&] { return IsWindowVisible(app.main) != FALSE; }, 5s, "out of the tray");
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(kTrayTip); }, 5s, "the icon removed");
  const ForeignWindow raised("Notepad");
  SetWindowPos(raised.window(), app.main, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(app.main, SW_MINIMIZE);
  uidriver::waitUntil([&] { return IsIconic(app.main) != FALSE; }, 5s, "the minimise");
  startAgain();
  uidriver::waitUntil([&] { return !IsIconic(app.main); }, 5s, "the window restored");
  uidriver::waitUntil([&] { return GetForegroundWindow() == app.main; }, 5s, "it in front");
  EXPECT_FALSE(IsIconic(raised.window()));

  Report("registry refused, explorer restarted, second start");
  app.exit();
}

}  // namespace
}  // namespace morv::e2e
