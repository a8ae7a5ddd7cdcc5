// The player protocol over real cross-process messages, against the stand-in player.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/desktop_win.h"
#include "tests/fakes/fake_services.h"
#include "tools/morvane_driver/standin_player.h"
#include "winamp/winamp_access.h"

namespace morv {
namespace {

TEST(WinampAccessWinTest, PlayingStateRepliesComeBackUnchanged) {
  constexpr char kClass[] = "Winamp v1.x";
  win32::DesktopWin real;
  fakes::FakeMessageBoxes boxes;  // a real box would wait for a user
  Desktop desktop{real.windows,  real.registry,  real.processes,  boxes,
                  real.clock,    real.locale,    real.files,      real.program,
                  real.timeZone, real.wakeTimer, real.alarmSound, real.repeatDialog,
                  real.alarmsDialog};
  WinampWindow = 0;
  EXPECT_EQ(WinampIsPlaying(desktop, kClass), 0) << "no player yet";
  const std::pair<const char*, int> replies[] = {{"stopped", 0}, {"playing", 1}, {"paused", 3}};
  for (const auto& [state, reply] : replies) {
    const driver::StandInPlayer player(uidriver::Environment{{"WINAMP_STANDIN_STATE", state}});
    EXPECT_EQ(WinampIsPlaying(desktop, kClass), reply) << state;
    EXPECT_EQ(WinampWindow, reinterpret_cast<WindowHandle>(player.window));
  }
}

}  // namespace
}  // namespace morv
