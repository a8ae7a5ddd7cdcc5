// Life in the notification area: the tray's picture and tooltip, its pop-up menu, and a
// start straight into the tray.
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "mainwindow/tray_click.h"
#include "mainwindow/tray_scale.h"
#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::LoadedHarness;

constexpr char kOptions[] = "Morvane(tm) - Right Click For Options";
constexpr char kSetNotActive[] = "Morvane(tm) - Alarm Is Set, But Not Activated.";

TEST(TrayTest, PictureAndTooltipFollowTheAlarmAsTheWindowGoes) {
  struct Case {
    const char *what, *caption;
    bool clearEnabled, alarmEntered;
    const char *armedMark, *status;
    int previousIcon;
    const char* tip;
    int icon;
  } const cases[] = {
      {"nothing set", "Turn &On", false, false, "", "Ready.", 3, kOptions, 1},
      {"set, not on", "Turn &On", false, true, "", "Ready.", 1, kSetNotActive, 2},
      {"set, Clear enabled", "Turn &On", true, true, "", "Ready.", 3, kOptions, 1},
      {"armed, status ends SET", "Turn &Off", false, true, "Set", "Alarm Is Set", 1, kOptions, 2},
      {"armed, other status", "Turn &Off", false, true, "Set", "Ready.", 1, kOptions, 3},
      {"rung", "Snoo&ze", false, true, "Set", texts::kBanner, 3, kOptions, 1},
      {"not set, lower case tail", "Turn &On", true, false, "", "alarm not set.", 1, kOptions, 2},
      {"Turn Off without the mark", "Turn &Off", false, true, "", "Ready.", 3, kOptions, 3},
  };
  for (const Case& c : cases) {
    LoadedHarness h;
    if (c.alarmEntered) h.enterAlarm({2026, 12, 6}, "07:05");
    h.ui.cmdSet.setCaption(c.caption);
    h.ui.cmdReset.setEnabled(c.clearEnabled);
    h.form.alarm.ArmedMark = c.armedMark;
    h.ui.StatusBar1.setText(c.status);
    h.ui.SysTray.setIconIndex(c.previousIcon);
    h.ui.MyTimer.setEnabled(false);

    h.form.cmdMin2Tray_Click();
    EXPECT_EQ(h.ui.SysTray.toolTipText(), c.tip) << c.what;
    EXPECT_EQ(h.ui.SysTray.iconIndex(), c.icon) << c.what;
    EXPECT_TRUE(h.ui.MyTimer.enabled()) << c.what << ": the alarm must ring from the tray";
  }
  // The picture is drawn for the taskbar monitor's scale; unread or none, the system's.
  EXPECT_EQ(TrayIconDpi(144, 96), 144);
  EXPECT_EQ(TrayIconDpi(std::nullopt, 120), 120);
  EXPECT_EQ(TrayIconDpi(0, 120), 120);
}

TEST(TrayTest, TheIconsMenuComesOnARightClickAndShowBringsTheWindowBack) {
  LoadedHarness h;
  h.ui.form.show();
  h.form.alarm.FiredMark = "!";
  h.form.cmdMin2Tray_Click();
  EXPECT_FALSE(h.ui.mnuSetAlarm.enabled()) << "rung: Set Alarm is off the menu";

  // A left click, then a right one as notify-icon version 4 reports it: the release and a
  // context-menu event. One menu, or the second would open as the first closes.
  for (TrayMouse event : {TrayMouse::LeftUp, TrayMouse::RightUp, TrayMouse::ContextMenu}) {
    if (const auto button = TrayClickButton(event, true)) h.form.SysTray_TrayClick(*button);
  }
  ASSERT_EQ(h.ui.form.poppedUp.size(), 1u);
  EXPECT_EQ(h.ui.form.poppedUp[0], &h.ui.mnuOptions);
  EXPECT_EQ(h.d.windows.foreground, h.ui.form.handle()) << "or the menu would not close";

  h.form.mnuShowApp_Click();  // what it shows is a second start's test
  EXPECT_FALSE(h.ui.mnuSetAlarm.enabled()) << "showing the window does not give it back";
}

TEST(TrayTest, AStartInTheTrayNeverShowsTheWindow) {
  fakes::IntroHarness h;
  h.storeOption(settings::kStartInTray, "Yes");
  bool shownDuringStart = false;
  h.d.clock.duringPause = [&](auto) { shownDuringStart |= h.ui.form.visible(); };
  ASSERT_FALSE(h.Start());
  EXPECT_FALSE(shownDuringStart);
  EXPECT_FALSE(h.ui.form.visible());
  EXPECT_TRUE(h.ui.SysTray.iconVisible());
  EXPECT_EQ(h.form.Tag, "") << "the start-up has taken it back";
  EXPECT_NE(h.ui.focus.owner, "cmdSet") << "nothing to focus in the tray";
}

}  // namespace
}  // namespace morv
