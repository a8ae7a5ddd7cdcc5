// Start-up and shutdown of the real program: one instance, the splash, the player check,
// and the questions every close asks.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/foreign_window.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using uidriver::BoxIcon;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSettings(); }
};

TEST_F(StartupTest, TheSplashRunsItsBarForAboutSevenSecondsBeforeTheMainWindow) {
  MorvaneApp app({.waitForMainWindow = false});
  HWND splash =
      uidriver::waitForWindow(app.pid(), {.className = "MorvaneSplash", .visibleOnly = true}, 20s);
  const auto shown = std::chrono::steady_clock::now();
  EXPECT_EQ(uidriver::windowTitle(splash), "") << "a splash has no title";
  HWND bar = uidriver::findChild(splash, "msctls_progress32", "");
  std::vector<int> seen;
  HWND main = nullptr;
  while (!main) {
    const int value = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    if (IsWindowVisible(splash) && (seen.empty() || seen.back() != value)) {
      seen.push_back(value);
      if (value == 12) app.picture("splash");
    }
    main = uidriver::findWindow(app.pid(), {.className = "MorvaneMainWindow", .visibleOnly = true});
    ASSERT_LT(std::chrono::steady_clock::now() - shown, 30s) << "no main window";
    Sleep(20);
  }
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - shown);
  std::printf("splash shown to main window shown: %lld ms\n", static_cast<long long>(took.count()));
  EXPECT_GE(took, 6s) << "the splash steps and the settling second";
  EXPECT_GE(seen.size(), 10u) << "the bar moves in steps";
  // The last step is followed at once by the load's blocking pause, so from outside the
  // bar is last seen one step before it is full.
  EXPECT_GE(seen.back(), 19);
  EXPECT_FALSE(IsWindowVisible(splash)) << "gone when the main window comes";
}

// The folder of the player without its program, and MP3 files still of the player's
// own type: judged missing. The same type in capitals is not.
TEST_F(StartupTest, APlayerFolderWithoutItsProgramEndsTheStartAfterFourBoxes) {
  ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
  struct PutBack {
    ~PutBack() {
      MoveFileA(kPlayerAway, kPlayerProgram);
      RegDeleteTreeA(HKEY_CLASSES_ROOT, ".MP3");
    }
  } putBack;
  auto association = [](const char* type) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, ".MP3", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "Winamp_Back", 0, REG_SZ, reinterpret_cast<const BYTE*>(type),
                   static_cast<DWORD>(strlen(type) + 1));
    RegCloseKey(key);
  };
  ASSERT_NE(GetFileAttributesA(kPlayerFolder), INVALID_FILE_ATTRIBUTES);

  association("mp3file");
  {
    MorvaneApp app({.waitForMainWindow = false});
    std::vector<std::string> titles;
    std::vector<BoxIcon> icons;
    for (const char* title : {"WinAmp Is Not Installed!", "Morvane\u2122",
                              "Making WinAmp The Default Media Player", "ERROR!"}) {
      auto box = app.answerBox(title, "OK");
      titles.push_back(box.title);
      icons.push_back(box.icon);
      if (titles.size() == 2) {
        // Shown as the trademark sign whatever the system's code page.
        EXPECT_EQ(box.text,
                  "If WinAmp is in fact installed on your machine,\r\nit must be the Default "
                  "Media Player,\r\nIn Order For Morvane\u2122 To Detect It!");
      }
    }
    EXPECT_THAT(icons, ElementsAre(BoxIcon::kError, BoxIcon::kInformation, BoxIcon::kInformation,
                                   BoxIcon::kError));
    EXPECT_EQ(app.process.waitForExit(10s), 0u);
    EXPECT_EQ(uidriver::findWindow(app.pid(), {.className = "MorvaneMainWindow"}), nullptr);
  }

  association("MP3FILE");
  MorvaneApp app;
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app.pid()));
  app.exit();
}

TEST_F(StartupTest, ExitSavesAnEnteredAlarmAndTheNextStartShowsIt) {
  const AlarmMinute alarm = MinuteAhead(std::chrono::hours(3));
  {
    MorvaneApp app;
    app.enterAlarm(alarm);
    app.exit(/*save=*/true);
  }
  const std::string key = std::string("HKLM\\") + kSettingsKey;
  EXPECT_EQ(RegQuery(key, "SettingsSaved"), "Yes");
  EXPECT_EQ(RegQuery(key, "Date:"), ShortDate(alarm.day));
  EXPECT_EQ(RegQuery(key, "Time:"), alarm.alarmTime());

  MorvaneApp again;
  EXPECT_EQ(again.status(), "Alarm Settings: OFF  Date: " + ShortDate(alarm.day) +
                                " Time: " + alarm.alarmTime() + " ALARM IS SET.");
  again.exit(/*save=*/false);
  EXPECT_EQ(RegQuery(key, "SettingsSaved"), "No");
  EXPECT_EQ(RegQuery(key, "Time:"), alarm.alarmTime()) << "kept, but idle";
}

TEST_F(StartupTest, ExitClosesTheRunningPlayerOnlyWhenTheUserSaysSo) {
  for (bool closePlayer : {false, true}) {
    driver::StandInPlayer player(
        std::map<std::string, std::string>{{"WINAMP_STANDIN_SILENT", "1"}});
    MorvaneApp app;
    app.exit(/*save=*/false, closePlayer);
    EXPECT_EQ(FindWindowA("Winamp v1.x", nullptr) == nullptr, closePlayer);
  }
}

TEST_F(StartupTest, ARefusedCloseLeavesTheProgramRunningAndWordPadIsOnlyMinimised) {
  ForeignWindow wordPad("WordPadClass");
  MorvaneApp app;
  uidriver::click(app.button("E&xit"), 0ms);
  auto box = app.answerBox("Close Morvane?", "No");
  EXPECT_EQ(box.text, "Are You Sure You Want To Close The Program?");
  EXPECT_EQ(box.icon, BoxIcon::kQuestion);
  uidriver::waitUntil([&] { return app.status() == "Ready."; }, 5s, "Ready.", app.pid());
  const std::string shown = app.timeText();
  uidriver::waitUntil([&] { return app.timeText() != shown; }, 3s, "the clock to tick again");

  // Windows shutting down asks the same; answered No, Morvane stays.
  PostMessageA(app.main, WM_QUERYENDSESSION, 0, 0);
  app.answerBox("Close Morvane?", "No");
  uidriver::waitUntil([&] { return app.status() == "Ready."; }, 5s, "Ready.", app.pid());
  EXPECT_TRUE(app.process.isRunning());

  app.exit();
  EXPECT_TRUE(IsWindow(wordPad.window())) << "minimised, not closed";
  // Asked without waiting for its answer: it minimises once its thread gets to it.
  uidriver::waitUntil([&] { return IsIconic(wordPad.window()) != FALSE; }, 5s, "the minimise");
}

}  // namespace
}  // namespace morv::e2e
