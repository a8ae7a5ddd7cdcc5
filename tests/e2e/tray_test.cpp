// Life in the notification area, the player commands and help, in the real program.
#include <windows.h>

#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono_literals;
using driver::Named;
using driver::ReadPlayerLog;
using ::testing::AnyOf;
using ::testing::ElementsAre;

constexpr char kOptionsTip[] = "Morvane(tm) - Right Click For Options";

std::vector<std::string> Captions(const std::vector<uidriver::MenuItem>& items) {
  std::vector<std::string> captions;
  for (const auto& item : items) captions.push_back(item.caption);
  return captions;
}

// What the clock showed `back` seconds ago: h:mm:ss AM.
std::string ClockSecondsAgo(int back) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const int at = ((now.wHour * 60 + now.wMinute) * 60 + now.wSecond - back + 86400) % 86400;
  const int hour = at / 3600;
  char text[16];
  std::snprintf(text, sizeof(text), "%d:%02d:%02d %s", hour % 12 ? hour % 12 : 12, at / 60 % 60,
                at % 60, hour < 12 ? "AM" : "PM");
  return text;
}

class TrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    log = driver::FreshLogPath("tray");
  }
  void TearDown() override { EndEveryPlayer(); }
  std::unique_ptr<MorvaneApp> Start() {
    return std::make_unique<MorvaneApp>(
        LaunchSettings{.environment = {{"WINAMP_STANDIN_LOG", log}}});
  }
  // Right-clicks the icon and waits for its menu.
  static HWND OpenTrayMenu(DWORD pid) {
    uidriver::clickTrayIcon(uidriver::waitForTrayIcon(kOptionsTip, 10s), /*right=*/true);
    return uidriver::waitForWindow(pid, {.className = "#32768", .visibleOnly = true}, 10s);
  }
  static void Choose(const MorvaneApp& app, const std::string& item, HWND menu = nullptr) {
    uidriver::choosePopupItem(menu ? menu : OpenTrayMenu(app.pid()), item);
    if (item == "&Show Morvane") {
      uidriver::waitUntil([&] { return IsWindowVisible(app.main) != FALSE; }, 10s, "the window");
    }
  }
  int PlayerStarts() const { return static_cast<int>(Named(ReadPlayerLog(log), "START").size()); }

  std::string log;
};

TEST_F(TrayTest, TheWindowGoesToTheTrayAndBackAboutStopsTheClockAndAnAlarmIsSnoozedFromTheTray) {
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  EXPECT_FALSE(IsWindowVisible(app->main));
  uidriver::clickTrayIcon(uidriver::waitForTrayIcon(kOptionsTip, 10s), /*right=*/false);
  EXPECT_TRUE(uidriver::settle(app->main));
  EXPECT_EQ(uidriver::findWindow(app->pid(), {.className = "#32768", .visibleOnly = true}), nullptr)
      << "a left click does nothing";

  HWND menu = OpenTrayMenu(app->pid());
  app->picture("tray-menu");
  EXPECT_THAT(Captions(uidriver::popupMenuItems(menu)),
              ElementsAre("&Show Morvane", "Start &WinAmp", "Clos&e WinAmp", "Se&t Alarm", "&Help",
                          "E&xit"));
  // Long enough in the tray for the clock it left with to be old.
  Sleep(4000);
  Choose(*app, "&Show Morvane", menu);
  EXPECT_THAT(app->timeText(), AnyOf(ClockSecondsAgo(0), ClockSecondsAgo(1), ClockSecondsAgo(2)))
      << "it comes back with the present time";
  uidriver::waitUntil([] { return !uidriver::findTrayIcon(kOptionsTip); }, 10s, "the icon gone");

  // The About box stops the clock and shows the trademark sign.
  uidriver::pressKey(app->main, 'A', {.ctrl = true}, 0ms);
  auto about = uidriver::waitForMessageBox(app->pid(), "About Morvane(tm)", 10s);
  app->picture("about");
  EXPECT_EQ(about.text.rfind("Morvane\u2122 1.3", 0), 0u) << about.text;
  EXPECT_EQ(about.icon, uidriver::BoxIcon::kInformation);
  const std::string clock = app->timeText();
  Sleep(2200);
  EXPECT_EQ(app->timeText(), clock) << "the clock stands while the box is open";
  uidriver::answer(about, "OK");
  auto more = app->answerBox("For Your Information!", "OK");
  EXPECT_EQ(more.text, "For More Information E-mail: support@morvane.example");
  uidriver::waitUntil([&] { return app->timeText() != clock; }, 3s, "the clock to run again");

  // An alarm armed in the tray rings and is snoozed from the tray menu.
  const AlarmMinute alarm = PresentMinute(20s);
  app->enterAlarm(alarm);
  app->arm();
  uidriver::click(app->button("Send To &Tray"));
  uidriver::waitUntil([&] { return !Named(ReadPlayerLog(log), "PLAY").empty(); }, 40s,
                      "the alarm to ring", app->pid());
  Choose(*app, "Snoo&ze");
  app->answerBox("Close WinAmp?", "Yes");
  uidriver::waitUntil([] { return PlayerWindow() == nullptr; }, 15s, "the player to close",
                      app->pid());
  Choose(*app, "&Show Morvane");
  EXPECT_EQ(app->status(), "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) +
                               " Time: " + alarm.alarmTime() + " ALARM IS SET");
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 1u);
  app->exit();
}

TEST_F(TrayTest, StartWinAmpStartsOnePlayerOnlyAndLoadOnStartStartsItWithTheProgram) {
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  Choose(*app, "Start &WinAmp");
  uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 15s, "the player to start");
  Choose(*app, "Start &WinAmp");
  EXPECT_TRUE(uidriver::settle(PlayerWindow()));
  EXPECT_EQ(PlayerStarts(), 1) << "a running player is only shown";
  PostMessageA(PlayerWindow(), WM_COMMAND, 40001, 0);
  uidriver::waitUntil([] { return PlayerWindow() == nullptr; }, 10s, "the player to quit");

  Choose(*app, "&Show Morvane");
  uidriver::pressKey(app->main, VK_F3);
  EXPECT_TRUE(uidriver::menuItem(app->main, {"S&ettings", "Load &Winamp On Start"}).checked);
  app->exit();
  EXPECT_EQ(RegQuery(std::string("HKLM\\") + kSettingsKey, "WinAmpOnStart"), "Yes");

  auto again = Start();
  EXPECT_NE(PlayerWindow(), nullptr) << "started with the program";
  EXPECT_EQ(PlayerStarts(), 2);
  EXPECT_THAT(Named(ReadPlayerLog(log), "START").back().note, ::testing::HasSubstr(" show=7 "))
      << "minimised, without the focus";
  again->exit(/*save=*/false, /*closePlayer=*/true);
}

}  // namespace
}  // namespace morv::e2e
