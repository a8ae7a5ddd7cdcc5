// Choosing the alarm's day on the calendar.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using ::testing::ElementsAre;

TEST(AlarmEntryTest, TodayAndLaterDaysAreTakenAndAPastOneRefused) {
  MainFormHarness h;
  h.loadAt({{2026, 12, 6}, 10, 41, 7});
  h.ui.StatusBar1.setText("");
  h.form.MonthView_DateClick({2026, 12, 6});
  EXPECT_EQ(h.ui.lblDate.caption(), "12/6/2026");
  EXPECT_TRUE(h.ui.cmdReset.enabled());
  EXPECT_EQ(h.ui.StatusBar1.text(), "") << "no time yet: the status panel stays as it was";

  h.enterAlarm({2026, 12, 6}, "07:05");
  h.form.MonthView_DateClick({2027, 1, 31});
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::Summary("1/31/2027", "7:05 AM"));

  h.ui.MonthView.setDate({2026, 12, 5});
  h.form.MonthView_DateClick({2026, 12, 5});
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("AM/PM Query:", "Date Selected Has Passed Already!"));
  EXPECT_EQ(h.ui.MonthView.date(), (CalendarDate{2026, 12, 6}));
  EXPECT_EQ(h.ui.lblDate.caption(), "1/31/2027") << "the earlier choice stands";
  EXPECT_TRUE(h.ui.MyTimer.enabled());
}

}  // namespace
}  // namespace morv
