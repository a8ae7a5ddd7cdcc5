// Choosing the alarm date on the calendar and typing its time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using ::testing::ElementsAre;

class AlarmEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.loadAt({{2026, 12, 6}, 10, 41, 7});
    h.ui.StatusBar1.setText("");
  }
  // Types into the box the way a user does: click, replace the text, leave.
  bool TypeTime(const std::string& text) {
    h.form.txtTime_Click();
    h.ui.txtTime.setText(text);
    bool cancel = false;
    h.form.txtTime_Validate(cancel);
    return cancel;
  }

  MainFormHarness h;
};

TEST_F(AlarmEntryTest, TodayAndLaterDaysAreTakenAndAPastOneRefused) {
  h.form.MonthView_DateClick({2026, 12, 6});
  EXPECT_EQ(h.ui.lblDate.caption(), "12/6/2026");
  EXPECT_TRUE(h.ui.cmdReset.enabled());
  EXPECT_EQ(h.ui.StatusBar1.text(), "") << "no time yet: the status panel stays as it was";

  TypeTime("07:05");
  h.form.MonthView_DateClick({2027, 1, 31});
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::Summary("1/31/2027", "7:05 AM"));

  h.ui.MonthView.setDate({2026, 12, 5});
  h.form.MonthView_DateClick({2026, 12, 5});
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("AM/PM Query:", "Date Selected Has Passed Already!"));
  EXPECT_EQ(h.ui.MonthView.date(), (CalendarDate{2026, 12, 6}));
  EXPECT_EQ(h.ui.lblDate.caption(), "1/31/2027") << "the earlier choice stands";
  EXPECT_TRUE(h.ui.MyTimer.enabled());
}

TEST_F(AlarmEntryTest, AValidTimeAsksAmOrPmOnceAndBecomesTheAlarmTime) {
  h.form.txtTime_Click();
  EXPECT_FALSE(h.ui.txtTime.readOnly());
  EXPECT_FALSE(h.ui.MyTimer.enabled()) << "the clock must not overwrite what is typed";
  EXPECT_EQ(h.ui.StatusBar1.text(), "Validating Input. . .");

  h.d.boxes.whileOpen = [this](const MessageBoxRequest&) {
    bool cancel = false;
    h.form.txtTime_Validate(cancel);  // the box took the focus: no second check meanwhile
  };
  EXPECT_FALSE(TypeTime("07:05"));
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("AM/PM Query:"));
  EXPECT_EQ(h.ui.txtTime.text(), "7:05 AM");
  EXPECT_EQ(h.ui.StatusBar1.text(),
            "Alarm Settings: OFF  Date: No Date Selected Yet. Time: 7:05 AM ALARM NOT SET.");
  EXPECT_EQ(h.ui.focus.owner, "cmdSet");
  EXPECT_FALSE(h.ui.MyTimer.enabled()) << "the box keeps showing the accepted time";

  h.form.MonthView_DateClick({2026, 12, 7});
  h.d.boxes.answers = {MbAnswer::No};
  TypeTime("12:30");
  EXPECT_EQ(h.ui.StatusBar1.text(),
            "Alarm Settings: OFF  Date: 12/7/2026 Time: 12:30 PM ALARM IS SET.");
}

TEST_F(AlarmEntryTest, AFormatErrorKeepsTheFocusOnOkAndLetsGoOnCancel) {
  TypeTime("07:05");
  h.d.boxes.shown.clear();

  h.d.boxes.answers = {MbAnswer::Ok};
  EXPECT_TRUE(TypeTime("13:00"));
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("Validation Results:")) << "and no AM/PM question";
  EXPECT_FALSE(h.ui.MyTimer.enabled());
  EXPECT_EQ(h.form.alarm.AlarmTime, "7:05 AM");

  h.d.boxes.answers = {MbAnswer::Cancel};
  EXPECT_FALSE(TypeTime("00:30"));
  EXPECT_TRUE(h.ui.MyTimer.enabled());
  EXPECT_EQ(h.ui.StatusBar1.text(), "Ready.");
  EXPECT_EQ(h.form.alarm.AlarmTime, "7:05 AM");
}

}  // namespace
}  // namespace morv
