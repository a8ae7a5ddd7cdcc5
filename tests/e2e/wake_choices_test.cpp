// How the user chose to be woken, end to end: their own music handed to the player before Play,
// a volume that rises step by step, and a snooze that rings again after its five minutes, then
// turned off for good from the tray. The snooze takes real minutes, so CTest runs this in a bed
// of its own, beside the other Windows tests.
#include <windows.h>

#include <fstream>

#include <gmock/gmock.h>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;
using WakeChoicesTest = E2eTest;

TEST_F(WakeChoicesTest, OwnMusicAGentleRiseAndASnoozeThatComesBack) {
  const std::string music = "C:\\users\\Public\\wake up.mp3";
  std::ofstream(music) << "ID3";
  const std::string log = FreshLogPath("choices");
  MorvaneApp app({.environment = {{"WINAMP_STANDIN_LOG", log}}});

  // Settings, Snooze Comes Back, 5 Minutes; Settings, Alarm Sound...: the file and a gentle
  // rise over 30 seconds. All by the keyboard.
  uidriver::pressKey(app.main, 'E', uidriver::kAlt);
  uidriver::typeText(uidriver::waitForWindow(app.pid(), "#32768", 10s), "c");
  uidriver::typeText(uidriver::waitForWindow(app.pid(), "#32768", 10s), "5");
  uidriver::pressKey(app.main, 'E', uidriver::kAlt);
  uidriver::typeText(uidriver::waitForWindow(app.pid(), "#32768", 10s), "o");
  const HWND box = uidriver::waitForWindow(app.pid(), "#32770", 10s, "Alarm Sound");
  uidriver::pressKey(uidriver::focusedWindow(box), 'S', uidriver::kAlt);
  uidriver::typeText(uidriver::focusedWindow(box), music);
  uidriver::pressKey(uidriver::focusedWindow(box), 'G', uidriver::kAlt);
  uidriver::pressKey(uidriver::focusedWindow(box), VK_DOWN);
  uidriver::pressKey(uidriver::focusedWindow(box), VK_RETURN);

  // The choices as the alarm carries them out: the playlist emptied and the file added before
  // Play; the volume from low to full; the ring back within six minutes is the five-minute one.
  const AlarmMinute alarm = MinuteAhead(25s);
  app.enterAlarm(alarm);
  app.arm();
  app.awaitStatus(kAlarmBanner, 90s);
  uidriver::waitUntil(
      [&] {
        return !Logged(log, "SETVOLUME").empty() && Logged(log, "SETVOLUME").back().volume == 255;
      },
      60s, "the volume to reach full", app.pid());
  const auto deleted = Logged(log, "DELETE"), added = Logged(log, "PLAYFILE"),
             played = Logged(log, "PLAY");
  ASSERT_THAT(std::tuple(deleted.size(), added.size(), played.size()), std::tuple(1u, 1u, 1u));
  EXPECT_LT(deleted[0].order, added[0].order);
  EXPECT_LT(added[0].order, played[0].order);
  EXPECT_THAT(added[0].note, ::testing::HasSubstr(music));
  std::vector<int> volumes;
  for (const auto& line : Logged(log, "SETVOLUME")) volumes.push_back(line.volume);
  EXPECT_GE(volumes.size(), 10u) << "step by step";
  EXPECT_LT(volumes.front(), 64);
  EXPECT_TRUE(std::ranges::is_sorted(volumes));

  // Snoozed: the player stopped as ever, the status says until when; five minutes later the
  // alarm rings again. The tray's menu then turns it off for good.
  uidriver::click(app.button("Snoo&ze"));
  uidriver::waitUntil([&] { return app.status().find("  Snoozed until ") != std::string::npos; },
                      30s, "the snooze", app.pid());
  EXPECT_EQ(Logged(log, "QUIT").size(), 1u);
  app.awaitStatus(kAlarmBanner, 6min);
  EXPECT_EQ(Logged(log, "PLAY").size(), 2u);
  uidriver::click(app.button("Send To &Tray"));
  app.chooseFromTrayMenu("Turn Alarm &Off");
  uidriver::waitUntil([] { return !PlayerWindow(); }, 15s, "the player to close", app.pid());
  app.chooseFromTrayMenu("&Show Morvane");
  app.button("Turn &On");  // or this throws
  app.exit();
  DeleteFileA(music.c_str());
}

}  // namespace
}  // namespace morv::e2e
