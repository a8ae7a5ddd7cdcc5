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

HWND Player() { return FindWindowA("Winamp v1.x", nullptr); }

// What the clock showed `back` seconds ago: h:mm:ss AM.
std::string ClockSecondsAgo(int back) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  FILETIME file{};
  SystemTimeToFileTime(&now, &file);
  const unsigned long long ticks =
      ((static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime) -
      back * 10'000'000ULL;
  file = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME then{};
  FileTimeToSystemTime(&file, &then);
  char text[16];
  std::snprintf(text, sizeof(text), "%d:%02d:%02d %s", then.wHour % 12 ? then.wHour % 12 : 12,
                then.wMinute, then.wSecond, then.wHour < 12 ? "AM" : "PM");
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
  HWND OpenTrayMenu(DWORD pid, const std::string& tip) {
    uidriver::clickTrayIcon(uidriver::waitForTrayIcon(tip, 10s), /*right=*/true);
    return uidriver::waitForWindow(pid, {.className = "#32768", .visibleOnly = true}, 10s);
  }
  void Choose(DWORD pid, const std::string& tip, const std::string& item) {
    uidriver::choosePopupItem(OpenTrayMenu(pid, tip), item);
  }
  int PlayerStarts() const { return static_cast<int>(Named(ReadPlayerLog(log), "START").size()); }

  std::string log;
};

TEST_F(TrayTest, TheWindowGoesToTheTrayAndComesBackFromItsMenu) {
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  EXPECT_FALSE(IsWindowVisible(app->main));
  uidriver::clickTrayIcon(uidriver::waitForTrayIcon(kOptionsTip, 10s), /*right=*/false);
  EXPECT_TRUE(uidriver::settle(app->main));
  EXPECT_EQ(uidriver::findWindow(app->pid(), {.className = "#32768", .visibleOnly = true}), nullptr)
      << "a left click does nothing";

  HWND menu = OpenTrayMenu(app->pid(), kOptionsTip);
  app->picture("tray-menu");
  EXPECT_THAT(Captions(uidriver::popupMenuItems(menu)),
              ElementsAre("&Show Morvane", "Start &WinAmp", "Clos&e WinAmp", "Se&t Alarm", "&Help",
                          "E&xit"));
  // Long enough in the tray for the clock it left with to be old.
  Sleep(4000);
  uidriver::choosePopupItem(menu, "&Show Morvane");
  uidriver::waitUntil([&] { return IsWindowVisible(app->main) != FALSE; }, 10s, "the window back");
  EXPECT_THAT(app->timeText(), AnyOf(ClockSecondsAgo(0), ClockSecondsAgo(1), ClockSecondsAgo(2)))
      << "it comes back with the present time";
  uidriver::waitUntil([] { return !uidriver::findTrayIcon(kOptionsTip); }, 10s, "the icon gone");
  app->exit();
}

TEST_F(TrayTest, AnAlarmArmedInTheTrayRingsAndIsSnoozedFromTheTrayMenu) {
  auto app = Start();
  const AlarmMinute alarm = PresentMinute(20s);
  app->enterAlarm(alarm);
  app->arm();
  uidriver::click(app->button("Send To &Tray"));
  uidriver::waitUntil([&] { return !Named(ReadPlayerLog(log), "PLAY").empty(); }, 40s,
                      "the alarm to ring", app->pid());
  Choose(app->pid(), kOptionsTip, "Snoo&ze");
  app->answerBox("Close WinAmp?", "Yes");
  uidriver::waitUntil([] { return Player() == nullptr; }, 15s, "the player to close", app->pid());
  Choose(app->pid(), kOptionsTip, "&Show Morvane");
  uidriver::waitUntil([&] { return IsWindowVisible(app->main) != FALSE; }, 10s, "the window back");
  EXPECT_EQ(app->status(), "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) +
                               " Time: " + alarm.alarmTime() + " ALARM IS SET");
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 1u);
  app->exit();
}

TEST_F(TrayTest, StartWinAmpStartsOnePlayerOnlyAndLoadOnStartStartsItWithTheProgram) {
  auto app = Start();
  uidriver::click(app->button("Send To &Tray"));
  Choose(app->pid(), kOptionsTip, "Start &WinAmp");
  uidriver::waitUntil([] { return Player() != nullptr; }, 15s, "the player to start");
  Choose(app->pid(), kOptionsTip, "Start &WinAmp");
  EXPECT_TRUE(uidriver::settle(Player()));
  EXPECT_EQ(PlayerStarts(), 1) << "a running player is only shown";
  PostMessageA(Player(), WM_COMMAND, 40001, 0);
  uidriver::waitUntil([] { return Player() == nullptr; }, 10s, "the player to quit");

  Choose(app->pid(), kOptionsTip, "&Show Morvane");
  uidriver::waitUntil([&] { return IsWindowVisible(app->main) != FALSE; }, 10s, "the window back");
  uidriver::pressKey(app->main, VK_F3);
  EXPECT_TRUE(uidriver::menuItem(app->main, {"S&ettings", "Load &Winamp On Start"}).checked);
  app->exit();
  EXPECT_EQ(RegQuery(std::string("HKLM\\") + kSettingsKey, "WinAmpOnStart"), "Yes");

  auto again = Start();
  EXPECT_NE(Player(), nullptr) << "started with the program";
  EXPECT_EQ(PlayerStarts(), 2);
  EXPECT_THAT(Named(ReadPlayerLog(log), "START").back().note, ::testing::HasSubstr(" show=7 "))
      << "minimised, without the focus";
  again->exit(/*save=*/false, /*closePlayer=*/true);
}

TEST_F(TrayTest, TheAboutBoxStopsTheClockAndShowsTheTrademarkSign) {
  auto app = Start();
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
  app->exit();
}

}  // namespace
}  // namespace morv::e2e
