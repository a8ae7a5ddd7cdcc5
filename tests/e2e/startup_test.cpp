// A user's first sessions with the real program: a player judged missing ends the start; the
// splash runs its bar; the main window takes an alarm by mouse and keyboard, answers its
// shortcuts, goes to the tray and back, and stays when a close is refused; an alarm saved at the
// exit comes back at the next start, with the player loaded beside it.
#include <windows.h>
#include <commctrl.h>

#include <set>

#include <gmock/gmock.h>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/foreign_window.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;
using ::testing::ElementsAre;
using uidriver::BoxIcon;
using StartupTest = E2eTest;

TEST_F(StartupTest, FromAMissingPlayerThroughTheSplashTheWindowAndTheTrayToASavedAlarm) {
  // The player's folder without its program, and MP3 files still of the player's own type:
  // judged missing, the start ends after four boxes.
  {
    ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
    struct PutBack {
      ~PutBack() {
        MoveFileA(kPlayerAway, kPlayerProgram);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".MP3");
      }
    } putBack;
    RegSetKeyValueA(HKEY_CLASSES_ROOT, ".MP3", "Winamp_Back", REG_SZ, "mp3file", 8);
    MorvaneApp app({.waitForMainWindow = false});
    std::vector<BoxIcon> icons;
    for (const char* title : {"WinAmp Is Not Installed!", "Morvane\u2122",
                              "Making WinAmp The Default Media Player", "ERROR!"}) {
      icons.push_back(app.answerBox(title, "OK").icon);
    }
    EXPECT_THAT(icons, ElementsAre(BoxIcon::kError, BoxIcon::kInformation, BoxIcon::kInformation,
                                   BoxIcon::kError));
    EXPECT_EQ(app.process.waitForExit(10s), 0u);
  }

  // The splash shows its bar moving, and is gone when the main window comes. The pointer is
  // off the window that opens in the middle, or its tooltips get in the pictures.
  SetCursorPos(0, 0);
  const std::string log = FreshLogPath("startup");
  auto started = uidriver::Process::launch(
      {.executable = uidriver::buildFolder() + "\\morvu.exe",
       .workingDirectory = uidriver::buildFolder(),
       .environment = {{"WINAMP_STANDIN_SILENT", "1"}, {"WINAMP_STANDIN_LOG", log}}});
  HWND splash = uidriver::waitForWindow(started.pid(),
                                        {.className = "MorvaneSplash", .visibleOnly = true}, 20s);
  HWND bar = FindWindowExA(splash, nullptr, PROGRESS_CLASSA, nullptr);
  std::set<LRESULT> seen;
  uidriver::waitUntil(
      [&] {
        if (IsWindowVisible(splash) && seen.insert(SendMessageW(bar, PBM_GETPOS, 0, 0)).second &&
            seen.size() == 12) {
          MorvaneApp::picture("splash");
        }
        return uidriver::findWindow(started.pid(),
                                    {.className = "MorvaneMainWindow", .visibleOnly = true});
      },
      30s, "the main window", started.pid());
  EXPECT_GE(seen.size(), 10u) << "the bar moves in steps";
  EXPECT_FALSE(IsWindowVisible(splash));
  MorvaneApp app(std::move(started));
  app.picture("main-window");

  // The window menu's Close is greyed, and no close command is left behind it.
  const auto close = uidriver::systemMenuItem(app.main, 6);
  EXPECT_EQ(close.caption, "&Close");
  EXPECT_TRUE(close.grayed);
  EXPECT_NE(close.id, static_cast<UINT>(SC_CLOSE));

  // A past day is refused; a typed time in the wrong format sends the focus back to the time
  // box, a right one asks AM or PM once and leaves the focus on Turn On.
  const year_month_day today = Today();
  uidriver::calendarClickDate(app.calendar, year_month_day{sys_days{today} - days{1}});
  EXPECT_EQ(app.answerBox("Date Selected Has Passed Already!", "OK").icon, BoxIcon::kError);
  uidriver::calendarClickDate(app.calendar, today);
  EXPECT_EQ(uidriver::windowText(app.dateLabel), ShortDate(today));
  app.typeTime("13:00");
  auto wrong = app.answerBox("Validation Results:", "OK");
  EXPECT_EQ(wrong.icon, BoxIcon::kWarning);
  EXPECT_THAT(wrong.buttons, ElementsAre("OK", "Cancel"));
  uidriver::waitUntil([&] { return uidriver::focusedWindow(app.main) == app.timeBox; }, 5s,
                      "the focus back in the time box");
  app.typeTime("07:05");
  EXPECT_THAT(app.answerBox("AM/PM Query:", "Yes").buttons, ElementsAre("&Yes", "&No"));
  uidriver::waitUntil([&] { return app.timeText() == "7:05 AM"; }, 5s, "the accepted time");
  EXPECT_EQ(uidriver::focusedWindow(app.main), app.button("Turn &On"));
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app.pid())) << "one question per leave";
  // Enter presses the focused button: Tab on to Clear, then Enter clears.
  uidriver::pressKey(app.button("Turn &On"), VK_TAB);
  ASSERT_EQ(uidriver::focusedWindow(app.main), app.button("&Clear"));
  uidriver::pressKey(app.button("&Clear"), VK_RETURN);
  EXPECT_EQ(uidriver::windowText(app.dateLabel), "");

  // Ctrl+A, through the accelerators, shows the About box with the trademark sign.
  uidriver::pressKey(app.main, 'A', {.ctrl = true}, 0ms);
  auto about = uidriver::waitForMessageBox(app.pid(), "About Morvane(tm)", 10s);
  app.picture("about");
  EXPECT_EQ(about.text.rfind("Morvane\u2122 1.3", 0), 0u) << about.text;
  uidriver::answer(about, "OK");
  app.answerBox("For Your Information!", "OK");

  // A refused close, from the user or from Windows shutting down, keeps the program.
  uidriver::click(app.button("E&xit"), 0ms);
  EXPECT_EQ(app.answerBox("Close Morvane?", "No").icon, BoxIcon::kQuestion);
  PostMessageA(app.main, WM_QUERYENDSESSION, 0, 0);
  app.answerBox("Close Morvane?", "No");
  EXPECT_TRUE(uidriver::settle(app.main));
  EXPECT_TRUE(app.process.isRunning());

  // In the tray, Start WinAmp starts one player and, asked again, only shows it; Show Morvane
  // brings the window back and takes the icon away.
  uidriver::click(app.button("Send To &Tray"));
  EXPECT_FALSE(IsWindowVisible(app.main));
  HWND menu = app.openTrayMenu();
  app.picture("tray-menu");
  // Nothing is snoozed: Turn Alarm Off is not among the items, so its key leaves the menu open.
  uidriver::typeText(menu, "o");
  EXPECT_TRUE(IsWindowVisible(menu)) << "Turn Alarm Off offered with nothing snoozed";
  app.chooseFromTrayMenu("Start &WinAmp", menu);
  uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 15s, "the player to start");
  app.chooseFromTrayMenu("Start &WinAmp");
  uidriver::settle(app.main);
  EXPECT_EQ(PlayerProcesses().size(), 1u) << "a running player is only shown";
  app.chooseFromTrayMenu("&Show Morvane");
  uidriver::waitUntil([] { return !uidriver::findTrayIcon(kTrayTip); }, 10s, "the icon gone");

  // F3 loads the player with the program from now on. An entered alarm is saved at the exit,
  // the player left running as answered, and WordPad showing the guide only minimised.
  uidriver::pressKey(app.main, VK_F3);
  const AlarmMinute alarm = MinuteAhead(3h);
  app.enterAlarm(alarm);
  const ForeignWindow wordPad("WordPadClass");
  app.exit(/*save=*/true, /*closePlayer=*/false);
  uidriver::waitUntil([&] { return IsIconic(wordPad.window()) != FALSE; }, 5s, "WordPad minimised");
  EXPECT_EQ(PlayerProcesses().size(), 1u) << "left running, as answered";
  EXPECT_EQ(Setting("WinAmpOnStart"), "Yes");
  EXPECT_EQ(Setting("SettingsSaved"), "Yes");
  EXPECT_EQ(Setting("Date:"), ShortDate(alarm.day));
  EXPECT_EQ(Setting("Time:"), alarm.alarmTime());
  EndEveryPlayer();

  // The next start shows the alarm, unarmed, and starts the player minimised without the focus.
  MorvaneApp again({.environment = {{"WINAMP_STANDIN_LOG", log}}});
  EXPECT_EQ(again.status(), "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) +
                                " Time: " + alarm.alarmTime() + " ALARM IS SET.");
  uidriver::waitUntil([&] { return Logged(log, "START").size() == 2; }, 10s, "the player loaded");
  EXPECT_THAT(Logged(log, "START")[1].note, ::testing::HasSubstr(" show=7 "));
  again.exit(/*save=*/false, /*closePlayer=*/true);
  EXPECT_TRUE(PlayerProcesses().empty());
  EXPECT_EQ(Setting("SettingsSaved"), "No");
}

}  // namespace
}  // namespace morv::e2e
