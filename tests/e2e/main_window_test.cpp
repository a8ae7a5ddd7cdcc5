// The main window, driven from outside: its first look, the date and time entry.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/morvane_app.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using uidriver::BoxIcon;

TEST(MainWindowTest, OpensWithItsCaptionMenusAndAGreyedCloseAndTakesAnAlarmByKeyboard) {
  ResetSettings();
  MorvaneApp app;
  app.picture("main-window");
  EXPECT_EQ(uidriver::windowTitle(app.main), "Morvane(tm)  1.44");
  EXPECT_EQ(app.status(), "") << "nothing restored: the hand-over leaves the panel empty";
  const std::pair<HWND, std::string> tips[] = {
      {app.button("Turn &On"), "Click Here To Activate The Alarm."},
      {app.timeBox, "Click Here To Edit Time; Leave Off AM/PM.  You'll Be Prompted For It."},
      {app.calendar, "Select Your Alarm Date."}};
  for (const auto& [control, tip] : tips) EXPECT_EQ(uidriver::toolTipText(control), tip);
  EXPECT_FALSE(uidriver::isEnabled(app.button("&Clear")));
  EXPECT_TRUE(uidriver::isReadOnly(app.timeBox));
  EXPECT_EQ(uidriver::focusedWindow(app.main), app.button("Turn &On"));

  EXPECT_FALSE(uidriver::menuItem(app.main, {"S&ettings", "&Start In System Tray"}).checked);
  EXPECT_FALSE(uidriver::menuItem(app.main, {"S&ettings", "Load &Winamp On Start"}).checked);

  const auto windowMenu = uidriver::systemMenuItems(app.main);
  ASSERT_GE(windowMenu.size(), 7u);
  EXPECT_EQ(windowMenu[6].caption, "&Close");
  EXPECT_TRUE(windowMenu[6].grayed);
  EXPECT_NE(windowMenu[6].id, static_cast<UINT>(SC_CLOSE)) << "no close command left";

  // A date on the calendar and a typed time make the alarm.
  const auto today = Today();
  const auto yesterday =
      std::chrono::year_month_day{std::chrono::sys_days{today} - std::chrono::days{1}};

  uidriver::calendarClickDate(app.calendar, yesterday);
  auto refused = app.answerBox("Date Selected Has Passed Already!", "OK");
  EXPECT_EQ(refused.text, "You Cannot Choose A Date In The Past!");
  EXPECT_EQ(refused.icon, BoxIcon::kError);
  EXPECT_EQ(uidriver::calendarSelection(app.calendar), today);
  EXPECT_EQ(uidriver::windowText(app.dateLabel), "");

  uidriver::calendarClickDate(app.calendar, today);
  EXPECT_EQ(uidriver::windowText(app.dateLabel), ShortDate(today));
  EXPECT_TRUE(uidriver::isEnabled(app.button("&Clear")));

  uidriver::click(app.timeBox);
  EXPECT_EQ(app.status(), "Validating Input. . .");
  EXPECT_FALSE(uidriver::isReadOnly(app.timeBox));
  uidriver::typeText(app.timeBox, "13:00");
  uidriver::pressKey(app.timeBox, VK_TAB, {}, 0ms);
  auto wrong = app.answerBox("Validation Results:", "OK");
  EXPECT_EQ(wrong.text, "Incorrect Format!  Click OK To Try Again, Cancel To Exit");
  EXPECT_EQ(wrong.icon, BoxIcon::kWarning);
  EXPECT_THAT(wrong.buttons, ElementsAre("OK", "Cancel"));
  uidriver::waitUntil([&] { return uidriver::focusedWindow(app.main) == app.timeBox; }, 5s,
                      "the focus back in the time box");

  app.typeTime("07:05");
  auto ampm = app.answerBox("AM/PM Query:", "Yes");
  EXPECT_EQ(ampm.text, "Click 'Yes' For 'AM' and 'No' For 'PM'");
  EXPECT_EQ(ampm.icon, BoxIcon::kQuestion);
  EXPECT_THAT(ampm.buttons, ElementsAre("&Yes", "&No"));
  uidriver::waitUntil([&] { return app.timeText() == "7:05 AM"; }, 5s, "the accepted time");
  EXPECT_EQ(app.status(),
            "Alarm Settings: OFF  Date: " + ShortDate(today) + " Time: 7:05 AM ALARM IS SET.");
  EXPECT_EQ(uidriver::focusedWindow(app.main), app.button("Turn &On"));
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app.pid())) << "one question per leave";

  // Enter presses the focused button: Tab on to Clear, then Enter clears.
  uidriver::pressKey(app.button("Turn &On"), VK_TAB);
  ASSERT_EQ(uidriver::focusedWindow(app.main), app.button("&Clear"));
  uidriver::pressKey(app.button("&Clear"), VK_RETURN);
  EXPECT_EQ(app.status(), "Ready.");
  EXPECT_EQ(uidriver::windowText(app.dateLabel), "");
  app.exit();
}

}  // namespace
}  // namespace morv::e2e
