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
using ::testing::AnyOf;
using ::testing::ElementsAre;

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
  int PlayerStarts() const { return static_cast<int>(Named(ReadPlayerLog(log), "START").size()); }

  std::string log;
};

TEST_F(TrayTest, TheWindowGoesToTheTrayAndBackAboutStopsTheClockAndAnAlarmIsSnoozedFromTheTray) {
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  EXPECT_FALSE(IsWindowVisible(app->main));
  uidriver::clickTrayIcon(uidriver::waitForTrayIcon(kTrayTip, 10s), /*right=*/false);
  EXPECT_TRUE(uidriver::settle(app->main));
  EXPECT_EQ(uidriver::findWindow(app->pid(), {.className = "#32768", .visibleOnly = true}), nullptr)
      << "a left click does nothing";

  HWND menu = app->openTrayMenu();
  app->picture("tray-menu");
  EXPECT_THAT(Captions(uidriver::popupMenuItems(menu)),
              ElementsAre("&Show Morvane", "Start &WinAmp", "Clos&e WinAmp", "Se&t Alarm", "&Help",
                          "E&xit"));
  // Long enough in the tray for the clock it left with to be old.
  Sleep(4000);
  app->chooseFromTrayMenu("&Show Morvane", menu);
  EXPECT_THAT(app->timeText(), AnyOf(ClockSecondsAgo(0), ClockSecondsAgo(1), ClockSecondsAgo(2)))
      << "it comes back with the present time";
  uidriver::waitUntil([] { return !uidriver::findTrayIcon(kTrayTip); }, 10s, "the icon gone");

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
  app->chooseFromTrayMenu("Snoo&ze");
  app->answerBox("Close WinAmp?", "Yes");
  uidriver::waitUntil([] { return PlayerWindow() == nullptr; }, 15s, "the player to close",
                      app->pid());
  app->chooseFromTrayMenu("&Show Morvane");
  EXPECT_EQ(app->status(), "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) +
                               " Time: " + alarm.alarmTime() + " ALARM IS SET");
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 1u);
  app->exit();
}

// Start WinAmp starts one player only; Exit saves an entered alarm and leaves the player
// running or closes it, as the user answers; the next start shows the alarm and loads
// the player with the program.
TEST_F(TrayTest, StartWinAmpStartsOnePlayerAndExitSavesTheAlarmAndLoadOnStartForTheNextStart) {
  const AlarmMinute alarm = MinuteAhead(std::chrono::hours(3));
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  app->chooseFromTrayMenu("Start &WinAmp");
  uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 15s, "the player to start");
  app->chooseFromTrayMenu("Start &WinAmp");
  EXPECT_TRUE(uidriver::settle(PlayerWindow()));
  EXPECT_EQ(PlayerStarts(), 1) << "a running player is only shown";

  app->chooseFromTrayMenu("&Show Morvane");
  uidriver::pressKey(app->main, VK_F3);
  EXPECT_TRUE(uidriver::menuItem(app->main, {"S&ettings", "Load &Winamp On Start"}).checked);
  app->enterAlarm(alarm);
  app->exit(/*save=*/true, /*closePlayer=*/false);
  ASSERT_NE(PlayerWindow(), nullptr) << "left running, as answered";
  EXPECT_EQ(RegQuery(kSettingsPath, "WinAmpOnStart"), "Yes");
  EXPECT_EQ(RegQuery(kSettingsPath, "SettingsSaved"), "Yes");
  EXPECT_EQ(RegQuery(kSettingsPath, "Date:"), ShortDate(alarm.day));
  EXPECT_EQ(RegQuery(kSettingsPath, "Time:"), alarm.alarmTime());
  PostMessageA(PlayerWindow(), WM_COMMAND, 40001, 0);
  uidriver::waitUntil([] { return PlayerWindow() == nullptr; }, 10s, "the player to quit");

  auto again = Start();
  EXPECT_EQ(again->status(), "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) +
                                 " Time: " + alarm.alarmTime() + " ALARM IS SET.");
  EXPECT_NE(PlayerWindow(), nullptr) << "started with the program";
  EXPECT_EQ(PlayerStarts(), 2);
  EXPECT_THAT(Named(ReadPlayerLog(log), "START").back().note, ::testing::HasSubstr(" show=7 "))
      << "minimised, without the focus";
  again->exit(/*save=*/false, /*closePlayer=*/true);
  EXPECT_EQ(PlayerWindow(), nullptr);
  EXPECT_EQ(RegQuery(kSettingsPath, "SettingsSaved"), "No");
  EXPECT_EQ(RegQuery(kSettingsPath, "Time:"), alarm.alarmTime()) << "kept, but idle";
}

}  // namespace
}  // namespace morv::e2e
