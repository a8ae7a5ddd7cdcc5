// A week of mornings across a year's end: each day the alarm is set, armed, rung,
// snoozed and disarmed while the clock ticks every second in between. The fuzz build
// runs it under AddressSanitizer and LeakSanitizer, so the week must leak nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono_literals;

TEST(AlarmWeekSoakTest, SevenMorningsRingSevenTimesEachWithItsOwnPlayer) {
  fakes::MainFormHarness h;
  const LocalDateTime first{{2026, 12, 28}, 6, 0, 0};
  h.loadAt(first);
  h.ui.MyTimer.setEnabled(true);

  for (int day = 0; day < 7; ++day) {
    const CalendarDate date = FromTimePoint(ToTimePoint(first) + std::chrono::days{day}).date;
    h.advanceTo({date, 6, 30, 0});
    h.enterAlarm(date, "07:00");
    h.form.cmdSet_Click();  // arm: the player starts
    h.advanceTo({date, 6, 59, 59});
    ASSERT_EQ(h.d.players.all.size(), static_cast<size_t>(day + 1));
    EXPECT_THAT(h.d.players.all.back().heard, ::testing::IsEmpty()) << "day " << day;

    h.advanceTo({date, 7, 0, 30});
    EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner) << "day " << day;
    h.form.cmdSet_Click();  // Snooze: the player is turned down and closed
    h.form.cmdSet_Click();  // disarm: the clock runs on
    EXPECT_EQ(h.d.windows.count("Winamp v1.x"), 0) << "day " << day;
  }
  h.advance(24h);

  for (const auto& player : h.d.players.all) {
    EXPECT_THAT(player.heard,
                ElementsAre("isplaying", "play", "volume 255", "isplaying", "volume 28", "quit"));
  }
}

}  // namespace
}  // namespace morv
