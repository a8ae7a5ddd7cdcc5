// The player protocol over real cross-process messages, against the stand-in player.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/win32/desktop_win.h"
#include "tests/fakes/fake_services.h"
#include "tools/morvane_driver/standin_player.h"
#include "winamp/winamp_access.h"

namespace morv {
namespace {

using driver::Named;
using driver::ReadPlayerLog;
using driver::StandInPlayer;

constexpr char kClass[] = "Winamp v1.x";

class WinampAccessWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WinampWindow = 0;
    WinampLastReply = 0;
    log = driver::FreshLogPath("winamp-access");
  }
  std::map<std::string, std::string> With(std::map<std::string, std::string> more = {}) {
    more["WINAMP_STANDIN_LOG"] = log;
    return more;
  }
  static double Seconds(ULONGLONG since) { return (GetTickCount64() - since) / 1000.0; }

  win32::DesktopWin real;
  fakes::FakeMessageBoxes boxes;  // a real box would wait for a user
  Desktop desktop{real.windows,  real.registry,  real.processes,  boxes,
                  real.clock,    real.locale,    real.files,      real.program,
                  real.timeZone, real.wakeTimer, real.alarmSound, real.repeatDialog};
  std::string log;
};

TEST_F(WinampAccessWinTest, PlayingStateRepliesComeBackUnchanged) {
  EXPECT_EQ(WinampIsPlaying(desktop, kClass), 0) << "no player yet";
  const std::pair<const char*, int> replies[] = {{"stopped", 0}, {"playing", 1}, {"paused", 3}};
  for (const auto& [state, reply] : replies) {
    StandInPlayer player(With({{"WINAMP_STANDIN_STATE", state}}));
    EXPECT_EQ(WinampIsPlaying(desktop, kClass), reply) << state;
    EXPECT_EQ(WinampWindow, reinterpret_cast<WindowHandle>(player.window()));
  }
}

// The player is started minimised with the focus: the window it opens says so.
TEST_F(WinampAccessWinTest, TheAlarmsPlayerStartsMinimised) {
  SetEnvironmentVariableA("WINAMP_STANDIN_LOG", log.c_str());
  SetEnvironmentVariableA("WINAMP_STANDIN_SILENT", "1");
  ASSERT_EQ(real.processes.startProgram(driver::ToolsFolder() + "\\winamp-standin.exe",
                                        WindowStyle::MinimizedFocus),
            StartResult::Started);
  HWND player = nullptr;
  for (int tries = 0; tries < 250 && !player; ++tries, Sleep(20)) {
    player = FindWindowA(kClass, nullptr);
  }
  ASSERT_TRUE(player);
  EXPECT_TRUE(IsIconic(player));
  EXPECT_THAT(Named(ReadPlayerLog(log), "START")[0].note, ::testing::HasSubstr(" show=2 "));
  WinampClose(desktop, kClass);
  EXPECT_EQ(real.processes.startProgram("c:\\nowhere\\WinAmp.exe", WindowStyle::MinimizedFocus),
            StartResult::FileNotFound);
}

TEST_F(WinampAccessWinTest, APostToAStaleHandleIsReportedAfterFiveSeconds) {
  {
    StandInPlayer player(With());
    WinampIsPlaying(desktop, kClass);
    PostMessageA(player.window(), WM_COMMAND, 40001, 0);
    ASSERT_TRUE(player.waitForExit(5000));
  }
  ASSERT_NE(WinampWindow, 0u) << "the handle of the player that has just gone";
  const ULONGLONG start = GetTickCount64();
  WinampPostCommand(desktop, 40045);
  EXPECT_GE(Seconds(start), 5.0);
  EXPECT_LT(Seconds(start), 7.0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Couldn't queue message for 5 seconds: 40045");
  EXPECT_EQ(boxes.shown[0].title, "MORV");
  EXPECT_EQ(WinampLastReply, 0);
}

}  // namespace
}  // namespace morv
