// A user's first sessions with the real program: the splash runs its bar; the main window takes an
// alarm by mouse and keyboard, answers its shortcuts, goes to the tray and back; an alarm saved at
// the exit comes back at the next start, with the player loaded beside it.
#include <windows.h>
#include <commctrl.h>

#include <set>

#include <gmock/gmock.h>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/foreign_window.h"
#include "tools/morvane_driver/standin_player.h"
#include "tools/uidriver/agent_client.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;
using StartupTest = E2eTest;

TEST_F(StartupTest, FromTheSplashThroughTheWindowAndTheTrayToASavedAlarm) {
  // The splash shows its bar moving, and is gone when the main window comes. The pointer is
  // off the window that opens in the middle, or its tooltips get in the pictures.
  SetCursorPos(0, 0);
  const std::string log = FreshLogPath("startup");
  auto started = uidriver::Process::launch(
      {.executable = uidriver::buildFolder() + "\\morvu.exe",
       .workingDirectory = uidriver::buildFolder(),
       .environment = {{"WINAMP_STANDIN_SILENT", "1"}, {"WINAMP_STANDIN_LOG", log}}});
  HWND splash = uidriver::waitForWindow(started.pid(), "MorvaneSplash", 20s);
  HWND bar = FindWindowExA(splash, nullptr, PROGRESS_CLASSA, nullptr);
  std::set<LRESULT> seen;
  uidriver::waitUntil(
      [&] {
        if (IsWindowVisible(splash) && seen.insert(SendMessageW(bar, PBM_GETPOS, 0, 0)).second &&
            seen.size() == 12) {
          MorvaneApp::picture("splash");
        }
        return uidriver::findWindow(started.pid(), "MorvaneMainWindow");
      },
      30s, "the main window", started.pid());
  EXPECT_GE(seen.size(), 10u) << "the bar moves in steps";
  EXPECT_FALSE(IsWindowVisible(splash));
  MorvaneApp app(std::move(started));
  app.picture("main-window");

  // The window menu's Close is greyed, and no close command is left behind it.
  // Menus are private to their process: the driver's agent reads the item inside.
  const auto [close, caption] = uidriver::Agent::of(app.pid()).call(
      uidriver::agent::Op::kSystemMenuItem, reinterpret_cast<uintptr_t>(app.main), 6);
  EXPECT_EQ(caption, "&Close");
  EXPECT_TRUE(close[0] & MF_GRAYED);
  EXPECT_NE(close[1], static_cast<UINT>(SC_CLOSE));

  // Enter presses the focused button: an accepted time leaves the focus on Turn On, Tab moves
  // it on to Clear, and Enter clears.
  app.enterAlarm(MinuteAhead(3h));
  EXPECT_EQ(uidriver::focusedWindow(app.main), app.button("Turn &On"));
  uidriver::pressKey(app.button("Turn &On"), VK_TAB);
  ASSERT_EQ(uidriver::focusedWindow(app.main), app.button("&Clear"));
  uidriver::pressKey(app.button("&Clear"), VK_RETURN);
  EXPECT_EQ(uidriver::windowText(app.dateLabel), "");

  // Ctrl+A, through the accelerators, shows the About box with the trademark sign.
  uidriver::pressKey(app.main, 'A', uidriver::kCtrl, 0ms);
  auto about = uidriver::waitForMessageBox(app.pid(), "About Morvane(tm)", 10s);
  app.picture("about");
  EXPECT_EQ(about.text.rfind("Morvane\u2122 1.3", 0), 0u) << about.text;
  uidriver::answer(about, "OK");
  app.answerBox("For Your Information!", "OK");

  // In the tray, Start WinAmp starts the player; Show Morvane brings the window back and takes
  // the icon away.
  uidriver::click(app.button("Send To &Tray"));
  EXPECT_FALSE(IsWindowVisible(app.main));
  HWND menu = app.openTrayMenu();
  app.picture("tray-menu");
  // Nothing is snoozed: Turn Alarm Off is not among the items, so its key leaves the menu open.
  uidriver::typeText(menu, "o");
  EXPECT_TRUE(IsWindowVisible(menu)) << "Turn Alarm Off offered with nothing snoozed";
  app.chooseFromTrayMenu("Start &WinAmp", menu);
  uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 15s, "the player to start");
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
  EndEveryPlayer();

  // The next start shows the saved alarm, unarmed, and, as F3 asked, starts the player minimised
  // without the focus: what the exit stored is read back by the program itself.
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
