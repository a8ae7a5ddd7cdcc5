// The fault drill: each fault a player, the registry or the keyboard can throw at the
// real program, made to happen. Through every one Morvane keeps answering within ten
// seconds, shows what it should, rings at most once and loses no setting.
#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/foreign_window.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono_literals;
using driver::Named;
using driver::ReadPlayerLog;

// Only reading is allowed on the key, for everyone: every write to it is refused.
void LockKey(HKEY root, const char* path, const char* sddl) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, path, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
  win32::UniqueHkey owned(key);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
}

class FaultDrillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndEveryPlayer();
    ResetSettings();
    log = driver::FreshLogPath("drill");
  }
  void TearDown() override {
    EndEveryPlayer();
    MoveFileA(kPlayerAway, kPlayerProgram);
  }

  // Morvane with the stand-in player behaving as `player` says whenever it starts it.
  std::unique_ptr<MorvaneApp> Start(std::vector<std::pair<std::string, std::string>> player = {}) {
    player.emplace_back("WINAMP_STANDIN_LOG", log);
    return std::make_unique<MorvaneApp>(LaunchSettings{.environment = std::move(player)});
  }
  // An alarm for the present minute: it rings right after arming.
  AlarmMinute ArmForNow(MorvaneApp& app) {
    const AlarmMinute alarm = PresentMinute(20s);
    app.enterAlarm(alarm);
    app.arm();
    return alarm;
  }
  void WaitForTheBanner(MorvaneApp& app) {
    uidriver::waitUntil([&] { return app.status() == kAlarmBanner; }, 40s, "the alarm to ring",
                        app.pid());
  }
  // Snooze, then the stop path must leave the button reading "Turn &On" again.
  void Snooze(MorvaneApp& app) {
    uidriver::click(app.button("Snoo&ze"), 0ms);
    uidriver::waitUntil(
        [&] {
          HWND turnOn = FindWindowExA(app.main, nullptr, "Button", "Turn &On");
          return turnOn && uidriver::isEnabled(turnOn);
        },
        20s, "the stop path", app.pid());
  }
  int Plays() const { return static_cast<int>(Named(ReadPlayerLog(log), "PLAY").size()); }
  // Every test ends here: the window answered within ten seconds all along.
  void Report(MorvaneApp& app, const char* fault) {
    const auto longest = app.longestUnanswered();
    std::printf("%s: the window went at most %lld ms unanswered\n", fault,
                static_cast<long long>(longest.count()));
    ::testing::Test::RecordProperty("longest_unanswered_ms", static_cast<int>(longest.count()));
    EXPECT_LT(longest, 10s) << fault;
  }

  // The boxes of Morvane's now open with this title.
  static int OpenBoxes(MorvaneApp& app, const char* title) {
    int open = 0;
    for (HWND window : uidriver::topLevelWindows(app.pid())) {
      open += IsWindowVisible(window) && uidriver::className(window) == "#32770" &&
              uidriver::windowTitle(window) == title;
    }
    return open;
  }

  std::string log;
};

TEST_F(FaultDrillTest, ThePlayersProgramMissingWhenArming) {
  auto app = Start();
  app->enterAlarm(MinuteAhead(std::chrono::hours(2)));
  ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
  uidriver::click(app->button("Turn &On"), 0ms);
  auto box = app->answerBox("MORV", "OK");
  EXPECT_EQ(box.text, "WinAmp Could Not Be Loaded, And Therefore The Alarm Could Not Execute!");
  EXPECT_EQ(box.icon, uidriver::BoxIcon::kError);
  // The close is asked for; refused or not, an alarm that cannot ring ends the program.
  app->answerBox("Close Morvane?", "No");
  EXPECT_EQ(app->process.waitForExit(10s), 0u);
  Report(*app, "player's program missing when arming");
  EXPECT_EQ(RegQuery(kSettingsPath, "WinAmpOnStart"), "No") << "nothing else was touched";
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "Yes") << "arming turned it on, as always";
}

// The player's window comes only after arming has given up waiting for it: the tick
// starts it again until it shows, and the alarm still rings once.
TEST_F(FaultDrillTest, ThePlayerAppearingLate) {
  auto app = Start({{"WINAMP_STANDIN_APPEAR_DELAY_MS", "7000"}});
  ArmForNow(*app);
  WaitForTheBanner(*app);
  Snooze(*app);
  // When no player window has shown by the alarm minute the alarm rings without music.
  EXPECT_LE(Plays(), 1);
  Report(*app, "player appearing late");
}

TEST_F(FaultDrillTest, ThePlayerHungAtFiring) {
  auto app = Start({{"WINAMP_STANDIN_HANG_ON", "isplaying"}, {"WINAMP_STANDIN_HANG_MS", "15000"}});
  ArmForNow(*app);
  WaitForTheBanner(*app);
  EXPECT_EQ(uidriver::windowText(app->button("Snoo&ze")), "Snoo&ze");
  Snooze(*app);
  Report(*app, "player hung at firing");
  EXPECT_LE(Plays(), 1);
}

TEST_F(FaultDrillTest, ThePlayerHungAtSnooze) {
  auto app = Start({{"WINAMP_STANDIN_HANG_ON", "quit"}, {"WINAMP_STANDIN_HANG_MS", "15000"}});
  ArmForNow(*app);
  WaitForTheBanner(*app);
  Snooze(*app);
  EXPECT_EQ(Plays(), 1);
  Report(*app, "player hung at snooze");
}

TEST_F(FaultDrillTest, ThePlayerIgnoringQuit) {
  auto app = Start({{"WINAMP_STANDIN_IGNORE_QUIT", "1"}});
  ArmForNow(*app);
  WaitForTheBanner(*app);
  Snooze(*app);
  EXPECT_NE(FindWindowA("Winamp v1.x", nullptr), nullptr) << "given up on, left to the user";
  EXPECT_EQ(Plays(), 1);
  Report(*app, "player ignoring quit");
}

// The player closes its window while it is being asked whether it plays: every handle
// Morvane holds to it is stale at once.
TEST_F(FaultDrillTest, AStalePlayerHandle) {
  auto app = Start({{"WINAMP_STANDIN_VANISH_ON_ASK", "1"}});
  ArmForNow(*app);
  WaitForTheBanner(*app);
  if (auto box = uidriver::findMessageBox(app->pid(), "MORV")) {
    EXPECT_EQ(box->text, "Couldn't queue message for 5 seconds: 40045");
    uidriver::answer(*box, "OK");
  }
  // Still armed: the tick starts the vanished player again, hidden.
  uidriver::waitUntil([] { return FindWindowA("Winamp v1.x", nullptr) != nullptr; }, 15s,
                      "the player started again", app->pid());
  Snooze(*app);
  EXPECT_EQ(Plays(), 0);
  Report(*app, "stale player handle");
}

TEST_F(FaultDrillTest, TwoPlayerWindows) {
  std::map<std::string, std::string> player{{"WINAMP_STANDIN_LOG", log},
                                            {"WINAMP_STANDIN_SILENT", "1"}};
  driver::StandInPlayer first(player), second(player);
  auto app = Start();
  ArmForNow(*app);
  WaitForTheBanner(*app);
  Snooze(*app);
  EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr) << "one snooze closes them all";
  EXPECT_EQ(Plays(), 1);
  Report(*app, "two player windows");
}

// Every write refused, in both hives: the user is told, may keep the program, and what
// was stored stays as it was.
TEST_F(FaultDrillTest, ARegistryWriteRefused) {
  auto app = Start();
  LockKey(HKEY_LOCAL_MACHINE, kSettingsKey, "D:P(A;;KR;;;WD)");
  LockKey(HKEY_CURRENT_USER, kSettingsKey, "D:P(A;;KR;;;WD)");
  uidriver::pressKey(app->main, VK_F2, {}, 0ms);
  auto box = app->answerBox("ERROR!", "OK");
  EXPECT_EQ(box.text,
            "There was an error writing to the registry!\r\nPlease restart your computer!");
  app->answerBox("Close Morvane?", "No");
  uidriver::waitUntil(
      [&] { return app->status() == "MORV Will Minimize To The System Tray Upon Start.  Ready."; },
      10s, "the toggle to carry on", app->pid());
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  LockKey(HKEY_LOCAL_MACHINE, kSettingsKey, "D:P(A;;KA;;;WD)");
  LockKey(HKEY_CURRENT_USER, kSettingsKey, "D:P(A;;KA;;;WD)");
  Report(*app, "registry write refused");
  app->exit();
}

// A value of another type is one Morvane never wrote: it is taken as missing and set
// to its first-start default, and the program starts.
TEST_F(FaultDrillTest, ASettingsValueOfAnotherType) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                  nullptr);
  const DWORD one = 1;
  RegSetValueExA(key, "StartInTray", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                 sizeof(one));
  RegCloseKey(key);
  auto app = Start();
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  EXPECT_EQ(RegQuery(kSettingsPath, "WinAmpOnStart"), "No") << "the user's choice stays";
  Report(*app, "settings value of another type");
  app->exit();
}

TEST_F(FaultDrillTest, AHundredThousandCharacterSettingsValue) {
  const std::string date(100000, '7');
  StoreSetting("SettingsSaved", "Yes");
  StoreSetting("Date:", date);
  StoreSetting("Time:", "7:05 AM");
  auto app = Start();
  const std::string summary = "Alarm Settings: OFF  Date: " + date + " Time: 7:05 AM ALARM IS SET.";
  // A status bar reports the length of its text in 16 bits: the driver reads no more
  // than the first 65,535 characters modulo, the panel itself holds them all.
  const std::string shown = app->status();
  EXPECT_GT(shown.size(), 30000u);
  EXPECT_TRUE(summary.compare(0, shown.size(), shown) == 0) << "not the summary's start";
  Report(*app, "100,000-character settings value");
  app->exit(/*save=*/true);
  EXPECT_TRUE(RegQuery(kSettingsPath, "Date:") == date) << "not saved back whole";
}

TEST_F(FaultDrillTest, TheSettingsKeyMissingAtStart) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
  auto app = Start();
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  EXPECT_EQ(RegQuery(kSettingsPath, "WinAmpOnStart"), "No");
  Report(*app, "settings key missing at start");
  app->exit();
}

// The time typed in the box is checked before the key that leaves the box acts: Alt+O
// must never arm the time being replaced, nor Alt+C clear around the question.
TEST_F(FaultDrillTest, AnAccessKeyLeavingTheTimeBox) {
  auto app = Start();
  const AlarmMinute earlier = MinuteAhead(std::chrono::hours(2));
  app->enterAlarm(earlier);
  const std::string date = ShortDate(earlier.day);
  for (auto [typed, key, shown] :
       {std::tuple{"11:45", 'O', "11:45 AM"}, std::tuple{"11:50", 'C', "11:50 AM"}}) {
    uidriver::click(app->timeBox);
    uidriver::pressKey(app->timeBox, VK_HOME);
    uidriver::pressKey(app->timeBox, VK_END, {.shift = true});
    uidriver::typeText(app->timeBox, typed);
    uidriver::pressKey(app->timeBox, key, {.alt = true}, 0ms);
    app->answerBox("AM/PM Query:", "Yes");
    uidriver::settle(app->main);
    EXPECT_EQ(app->status(),
              "Alarm Settings: OFF  Date: " + date + " Time: " + shown + " ALARM IS SET.")
        << "Alt+" << key;
    EXPECT_EQ(uidriver::windowText(app->dateLabel), date) << "Alt+" << key;
  }
  EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr) << "nothing was armed";
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app->pid()));
  Report(*app, "access key leaving the time box");
  app->exit();
}

// Explorer restarted: its new notification area knows no icons until the programs hear
// TaskbarCreated and add theirs again. Under Wine explorer is the virtual desktop too, and
// ending it would take every test's windows along; so the test does to Morvane what a
// restart does: the shell forgets the icon, then announces a new taskbar.
TEST_F(FaultDrillTest, ExplorerRestartedWhileTheIconIsInTheTray) {
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  const char* tip = "Morvane(tm) - Right Click For Options";
  uidriver::waitForTrayIcon(tip, 10s);
  NOTIFYICONDATAW forgotten{};
  forgotten.cbSize = sizeof(forgotten);
  forgotten.hWnd = app->main;
  forgotten.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(tip); }, 10s, "the icon forgotten");
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  uidriver::clickTrayIcon(uidriver::waitForTrayIcon(tip, 10s), /*right=*/true);
  uidriver::choosePopupItem(
      uidriver::waitForWindow(app->pid(), {.className = "#32768", .visibleOnly = true}, 10s),
      "&Show Morvane");
  uidriver::waitUntil([&] { return IsWindowVisible(app->main) != FALSE; }, 10s, "the window back");
  Report(*app, "explorer restarted");
  app->exit();
}

// A player that hangs right after it has created and shown its window: arming hides that
// window without waiting for the player's answer, and the clock goes on.
TEST_F(FaultDrillTest, ThePlayerHungRightAfterShowingItsWindow) {
  auto app = Start({{"WINAMP_STANDIN_HANG_ON", "shown"}, {"WINAMP_STANDIN_HANG_MS", "20000"}});
  app->enterAlarm(MinuteAhead(std::chrono::hours(2)));
  app->arm();
  EXPECT_TRUE(app->button("Turn &Off"));
  Report(*app, "player hung after showing its window");
  app->exit(/*save=*/false, /*closePlayer=*/false);
}

// A typed time after the window was left and came back, a close request to the hidden
// application window, and everything a user or Windows can do under an open close
// query: no time is armed unchecked, every close asks first, and there is one query.
TEST_F(FaultDrillTest, ClosesFromAnyWindowAndCommandsUnderAnOpenBox) {
  auto app = Start();
  const AlarmMinute alarm = MinuteAhead(std::chrono::hours(2));
  app->enterAlarm(alarm);
  uidriver::click(app->timeBox);
  uidriver::pressKey(app->timeBox, VK_HOME);
  uidriver::pressKey(app->timeBox, VK_END, {.shift = true});
  uidriver::typeText(app->timeBox, "11:45");
  // Away and back as from the taskbar: activated again, the window gives the focus back.
  ShowWindow(app->main, SW_MINIMIZE);
  uidriver::waitUntil([&] { return IsIconic(app->main) != FALSE; }, 5s, "the minimise");
  ShowWindow(app->main, SW_RESTORE);
  uidriver::waitUntil([&] { return GetForegroundWindow() == app->main; }, 5s, "the restore");
  uidriver::click(app->button("Turn &On"), 0ms);
  app->answerBox("AM/PM Query:", "Yes");
  uidriver::settle(app->main);
  EXPECT_EQ(app->status(),
            "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) + " Time: 11:45 AM ALARM IS SET.");
  EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr) << "nothing was armed";

  const HWND application = FindWindowA("ThunderRT6Main", "MORV");
  ASSERT_NE(application, nullptr);
  PostMessageA(application, WM_CLOSE, 0, 0);
  app->answerBox("Close Morvane?", "No");
  uidriver::waitUntil([&] { return app->status() == "Ready."; }, 5s, "Ready.", app->pid());
  EXPECT_TRUE(IsWindowVisible(app->main)) << "a refused close leaves everything running";

  uidriver::click(app->button("Send To &Tray"));
  const auto icon = uidriver::waitForTrayIcon("Morvane(tm) - Right Click For Options", 10s);
  const uidriver::WindowSpec menu{.className = "#32768", .visibleOnly = true};
  uidriver::clickTrayIcon(icon, /*right=*/true);
  uidriver::choosePopupItem(uidriver::waitForWindow(app->pid(), menu, 10s), "E&xit");
  const auto query = uidriver::waitForMessageBox(app->pid(), "Close Morvane?", 10s);
  const std::string clock = app->timeText();
  uidriver::clickTrayIcon(icon, /*right=*/true);
  PostMessageA(application, WM_CLOSE, 0, 0);
  PostMessageA(app->main, WM_CLOSE, 0, 0);
  PostMessageA(app->main, WM_QUERYENDSESSION, 0, 0);
  Sleep(2500);  // the clock would have ticked twice by now
  EXPECT_EQ(uidriver::findWindow(app->pid(), menu), nullptr) << "a tray menu under the query";
  EXPECT_EQ(OpenBoxes(*app, "Close Morvane?"), 1);
  EXPECT_EQ(app->timeText(), clock) << "the clock ran under the query";
  uidriver::answer(query, "No");
  uidriver::waitUntil([&] { return app->status() == "Ready."; }, 5s, "Ready.", app->pid());
  uidriver::settle(app->main);
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app->pid())) << "a second query after the first";

  uidriver::clickTrayIcon(icon, /*right=*/true);
  uidriver::choosePopupItem(uidriver::waitForWindow(app->pid(), menu, 10s), "&Show Morvane");
  uidriver::waitUntil([&] { return IsWindowVisible(app->main) != FALSE; }, 10s, "the window back");
  Report(*app, "closes and commands under a box");
  app->exit();
}

// A second start finds the running instance's own main window, whatever window lies
// next to its application window, and brings it forward: restored when minimised, out
// of the tray the way "&Show Morvane" does it when in the tray.
TEST_F(FaultDrillTest, ASecondStartWithAnotherProgramsWindowInBetween) {
  auto first = Start();
  ForeignWindow raised("Notepad");
  SetWindowPos(raised.window(), first->main, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(first->main, SW_MINIMIZE);
  uidriver::waitUntil([&] { return IsIconic(first->main) != FALSE; }, 5s, "the minimise");
  auto startAgain = [] {
    auto second = uidriver::Process::launch(
        {.executable = BuildFolder() + "\\morvu.exe", .workingDirectory = BuildFolder()});
    EXPECT_EQ(second.waitForExit(15s), 0u);
    EXPECT_EQ(uidriver::findWindow(second.pid(), {.visibleOnly = true}), nullptr)
        << "the second start showed a window";
  };
  startAgain();
  uidriver::waitUntil([&] { return !IsIconic(first->main); }, 5s, "the first window restored");
  uidriver::waitUntil([&] { return GetForegroundWindow() == first->main; }, 5s, "it in front");
  EXPECT_FALSE(IsIconic(raised.window()));

  uidriver::click(first->button("Send To &Tray"));
  const char* tip = "Morvane(tm) - Right Click For Options";
  uidriver::waitForTrayIcon(tip, 10s);
  startAgain();
  uidriver::waitUntil([&] { return IsWindowVisible(first->main) != FALSE; }, 5s, "out of the tray");
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(tip); }, 5s, "the icon removed");
  EXPECT_TRUE(first->process.isRunning());
  Report(*first, "second start");
  first->exit();
}

}  // namespace
}  // namespace morv::e2e
