// The fault drill: each fault a player, the registry or the keyboard can throw at the
// real program, made to happen. Through every one Morvane keeps answering within ten
// seconds, shows what it should, rings at most once and loses no setting.
#include <windows.h>
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

// The settings key, in both hives, made to refuse every write ("KR") or to take them ("KA").
void LockKeys(const char* sddl) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) SetKeyRights(root, kSettingsKey, sddl);
}

class FaultDrillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EndEveryPlayer();
    ResetSettings();
    log = FreshLogPath("drill");
  }
  void TearDown() override {
    LockKeys("D:P(A;;KA;;;WD)");
    EndEveryPlayer();
    MoveFileA(kPlayerAway, kPlayerProgram);
  }

  // Morvane with the stand-in player behaving as `player` says whenever it starts it.
  using Environment = std::vector<std::pair<std::string, std::string>>;
  std::unique_ptr<MorvaneApp> Start(Environment player = {}) {
    player.emplace_back("WINAMP_STANDIN_LOG", log);
    return std::make_unique<MorvaneApp>(LaunchSettings{.environment = std::move(player)});
  }
  // An alarm for the present minute, armed: it rings right after.
  void ArmAndRing(MorvaneApp& app) {
    app.enterAlarm(PresentMinute(20s));
    app.arm();
    app.awaitStatus(kAlarmBanner, 40s);
  }
  // Snooze, then the stop path must leave the button reading "Turn &On" again.
  void Snooze(MorvaneApp& app) {
    uidriver::click(app.button("Snoo&ze"), 0ms);
    app.enabledButton("Turn &On", 20s);
  }
  int Plays() const { return static_cast<int>(Named(ReadPlayerLog(log), "PLAY").size()); }
  // Every test ends here: the window answered within ten seconds all along.
  void Report(MorvaneApp& app, const char* fault) {
    const auto longest = app.longestUnanswered();
    std::printf("%s: the window went at most %lld ms unanswered\n", fault,
                static_cast<long long>(longest.count()));
    EXPECT_LT(longest, 10s) << fault;
  }

  std::string log;
};

// A player that misbehaves at one step of the alarm: late to show its window, hung when
// asked whether it plays or told to quit, ignoring Quit, two windows at once. The alarm
// still rings and is snoozed, and the player hears Play at most once.
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
    Environment player{{c.variable, c.value}, {"WINAMP_STANDIN_HANG_MS", "15000"}};
    std::vector<std::unique_ptr<StandInPlayer>> standIns;
    for (int i = 0; i < c.standIns; ++i) {
      standIns.push_back(std::make_unique<StandInPlayer>(
          std::map<std::string, std::string>{{c.variable, c.value}, {"WINAMP_STANDIN_LOG", log}}));
    }
    auto app = Start(c.standIns ? Environment{} : player);
    ArmAndRing(*app);
    Snooze(*app);
    EXPECT_GE(Plays(), c.minPlays);
    EXPECT_LE(Plays(), 1);
    if (c.windowLeft >= 0) {
      EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr) != nullptr, c.windowLeft == 1);
    }
    Report(*app, c.fault);
    app.reset();
    standIns.clear();
  }
}

// The player closes its window while it is being asked whether it plays: every handle
// Morvane holds to it is stale at once.
TEST_F(FaultDrillTest, AStalePlayerHandle) {
  auto app = Start({{"WINAMP_STANDIN_VANISH_ON_ASK", "1"}});
  ArmAndRing(*app);
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

// A settings value of another type, one Morvane never wrote, or missing: it is taken as
// missing and set to its first-start default, and the program starts. (A key missing
// altogether is the installed program's first start.) A huge value is shown and saved whole.
TEST_F(FaultDrillTest, SettingsValuesOfAnotherTypeMissingOrAHundredThousandCharactersLong) {
  const DWORD one = 1;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, "StartInTray", REG_DWORD, &one, sizeof(one));
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, "WinAmpOnStart");
  const std::string date(100000, '7');
  StoreSetting("SettingsSaved", "Yes");
  StoreSetting("Date:", date);
  StoreSetting("Time:", "7:05 AM");
  auto app = Start();
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  EXPECT_EQ(RegQuery(kSettingsPath, "WinAmpOnStart"), "No");
  const std::string summary = "Alarm Settings: OFF  Date: " + date + " Time: 7:05 AM ALARM IS SET.";
  // A status bar reports the length of its text in 16 bits: the driver reads no more
  // than the first 65,535 characters modulo, the panel itself holds them all.
  const std::string shown = app->status();
  EXPECT_GT(shown.size(), 30000u);
  EXPECT_TRUE(summary.compare(0, shown.size(), shown) == 0) << "not the summary's start";
  Report(*app, "settings values of another type, missing or huge");
  app->exit(/*save=*/true);
  EXPECT_TRUE(RegQuery(kSettingsPath, "Date:") == date) << "not saved back whole";
}

// Writes refused in HKEY_LOCAL_MACHINE, as for a standard user, go to the user's hive;
// refused in both hives, the user is told, may keep the program, and what was stored
// stays as it was. A typed time is checked before whatever leaves the box acts: Alt+O
// must never arm the time being replaced, nor Alt+C clear around the question, nor Turn On after
// the window was left and came back. Then a close request to the hidden application window,
// Explorer restarted while the icon is in the tray, and everything a user or Windows can do under
// an open close query: every close asks first, and there is one query. Last, the player's
// program missing when arming.
TEST_F(FaultDrillTest, RegistryRefusedTypedTimesClosesAndCommandsUnderAnOpenBox) {
  auto app = Start();
  SetKeyRights(HKEY_LOCAL_MACHINE, kSettingsKey, "D:P(A;;KR;;;WD)");
  uidriver::pressKey(app->main, VK_F2);
  EXPECT_EQ(app->status(), "MORV Will Minimize To The System Tray Upon Start.  Ready.");
  EXPECT_EQ(RegQuery("HKCU\\SOFTWARE\\QUORVIX\\MORV", "StartInTray"), "Yes");
  LockKeys("D:P(A;;KR;;;WD)");
  uidriver::pressKey(app->main, VK_F2, {}, 0ms);
  auto box = app->answerBox("ERROR!", "OK");
  EXPECT_EQ(box.text,
            "There was an error writing to the registry!\r\nPlease restart your computer!");
  app->answerBox("Close Morvane?", "No");
  app->awaitStatus("Morvane Will Not Start With Windows.  Ready.", 10s);
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  EXPECT_EQ(RegQuery("HKCU\\SOFTWARE\\QUORVIX\\MORV", "StartInTray"), "Yes");
  LockKeys("D:P(A;;KA;;;WD)");

  const AlarmMinute earlier = MinuteAhead(std::chrono::hours(2));
  app->enterAlarm(earlier);
  const std::string date = ShortDate(earlier.day);
  for (auto [typed, key] :
       {std::pair{"11:45", 'O'}, std::pair{"11:50", 'C'}, std::pair{"11:55", '\0'}}) {
    SCOPED_TRACE(key ? std::string("Alt+") + key : "Turn On after switching away and back");
    app->typeTime(typed, /*leave=*/false);
    if (key) {
      uidriver::pressKey(app->timeBox, key, {.alt = true}, 0ms);
    } else {
      // Away and back as from the taskbar: activated again, the window gives the focus back.
      ShowWindow(app->main, SW_MINIMIZE);
      uidriver::waitUntil([&] { return IsIconic(app->main) != FALSE; }, 5s, "the minimise");
      ShowWindow(app->main, SW_RESTORE);
      uidriver::waitUntil([&] { return GetForegroundWindow() == app->main; }, 5s, "the restore");
      uidriver::click(app->button("Turn &On"), 0ms);
    }
    app->answerBox("AM/PM Query:", "Yes");
    uidriver::settle(app->main);
    EXPECT_EQ(app->status(),
              "Alarm Settings: OFF  Date: " + date + " Time: " + typed + " AM ALARM IS SET.");
    EXPECT_EQ(uidriver::windowText(app->dateLabel), date);
  }
  EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr), nullptr) << "nothing was armed";
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app->pid()));

  const HWND application = FindWindowA("ThunderRT6Main", "MORV");
  ASSERT_NE(application, nullptr);
  PostMessageA(application, WM_CLOSE, 0, 0);
  app->answerBox("Close Morvane?", "No");
  app->awaitStatus("Ready.", 5s);
  EXPECT_TRUE(IsWindowVisible(app->main)) << "a refused close leaves everything running";

  // Explorer's new notification area knows no icons until the programs hear TaskbarCreated.
  // Under Wine explorer is the virtual desktop too, and ending it would take every test's
  // windows along; so the shell forgets the icon here, then announces a new taskbar.
  uidriver::click(app->button("Send To &Tray"));
  uidriver::waitForTrayIcon(kTrayTip, 10s);
  NOTIFYICONDATAW forgotten{};
  forgotten.cbSize = sizeof(forgotten);
  forgotten.hWnd = app->main;
  forgotten.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forgotten));
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(kTrayTip); }, 10s, "icon forgotten");
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);

  app->chooseFromTrayMenu("E&xit");
  const auto query = uidriver::waitForMessageBox(app->pid(), "Close Morvane?", 10s);
  const std::string clock = app->timeText();
  uidriver::clickTrayIcon(uidriver::waitForTrayIcon(kTrayTip, 10s), /*right=*/true);
  PostMessageA(application, WM_CLOSE, 0, 0);
  PostMessageA(app->main, WM_CLOSE, 0, 0);
  PostMessageA(app->main, WM_QUERYENDSESSION, 0, 0);
  Sleep(2500);  // the clock would have ticked twice by now
  EXPECT_EQ(uidriver::findWindow(app->pid(), {.className = "#32768", .visibleOnly = true}), nullptr)
      << "a tray menu under the query";
  int queries = 0;
  for (HWND window : uidriver::topLevelWindows(app->pid())) {
    queries += IsWindowVisible(window) && uidriver::windowTitle(window) == "Close Morvane?";
  }
  EXPECT_EQ(queries, 1);
  EXPECT_EQ(app->timeText(), clock) << "the clock ran under the query";
  uidriver::answer(query, "No");
  app->awaitStatus("Ready.", 5s);
  uidriver::settle(app->main);
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app->pid())) << "a second query after the first";
  app->chooseFromTrayMenu("&Show Morvane");

  // Last, the player's program gone when arming: the close is asked for; refused or not,
  // an alarm that cannot ring ends the program.
  app->enterAlarm(MinuteAhead(std::chrono::hours(2)));
  ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
  uidriver::click(app->button("Turn &On"), 0ms);
  auto missing = app->answerBox("MORV", "OK");
  EXPECT_EQ(missing.text, "WinAmp Could Not Be Loaded, And Therefore The Alarm Could Not Execute!");
  EXPECT_EQ(missing.icon, uidriver::BoxIcon::kError);
  app->answerBox("Close Morvane?", "No");
  EXPECT_EQ(app->process.waitForExit(10s), 0u);
  EXPECT_EQ(RegQuery(kSettingsPath, "WinAmpOnStart"), "No") << "nothing else was touched";
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "Yes") << "arming turned it on, as always";
  Report(*app, "registry refused, typed times, closes, commands under a box, player missing");
}

// A second start finds the running instance's own main window, whatever window lies
// next to its application window, and brings it forward: restored when minimised, out
// of the tray the way "&Show Morvane" does it when in the tray. Then a player that hangs.
TEST_F(FaultDrillTest, ASecondStartWithAnotherProgramsWindowInBetweenAndAPlayerHungOnShowing) {
  auto first = Start({{"WINAMP_STANDIN_HANG_ON", "shown"}, {"WINAMP_STANDIN_HANG_MS", "20000"}});
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
  uidriver::waitForTrayIcon(kTrayTip, 10s);
  startAgain();
  uidriver::waitUntil([&] { return IsWindowVisible(first->main) != FALSE; }, 5s, "out of the tray");
  uidriver::waitUntil([&] { return !uidriver::findTrayIcon(kTrayTip); }, 5s, "the icon removed");
  EXPECT_TRUE(first->process.isRunning());

  // A player that hangs right after it has created and shown its window: arming hides that
  // window without waiting for the player's answer, and the clock goes on.
  first->enterAlarm(MinuteAhead(std::chrono::hours(2)));
  first->arm();
  EXPECT_TRUE(first->button("Turn &Off"));
  Report(*first, "second start, player hung after showing its window");
  first->exit(/*save=*/false, /*closePlayer=*/false);
}

}  // namespace
}  // namespace morv::e2e
