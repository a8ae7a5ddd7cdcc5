#pragma once
// The main window's controls, all fake, wired up the way the program expects them.
#include "mainwindow/main_form_controls.h"
#include "tests/fakes/fake_controls.h"

namespace morv::fakes {

struct FakeMainForm {
  explicit FakeMainForm(FakeClock& clock, WindowHandle handle = 0x2000)
      : form(handle), MyTimer(clock), RingTimer(clock) {}

  Focus focus;
  FakeFormWindow form;
  FakeButton cmdExit{"cmdExit", focus}, cmdMin2Tray{"cmdMin2Tray", focus}, cmdSet{"cmdSet", focus},
      cmdReset{"cmdReset", focus};
  FakeTextBox txtTime{focus};
  FakeCalendar MonthView{focus};
  FakeStatusPanel StatusBar1;
  FakeLabel Label1, Label2, lblDate;
  FakeMenuItem mnuSettings, mnuStartInSystemTray, mnuLoadWinAmpOnStart, mnuSnoozeOff, mnuSnooze5,
      mnuSnooze9, mnuSnooze10, mnuSnooze15, mnuHelp, mnuContents, mnuAbout, mnuOptions, mnuShowApp,
      mnuStartWinAmp, mnuCloseWinAmp, mnuSetAlarm, mnuEndSnooze, mnuPopUpHelp, mnuExit;
  FakeTimer MyTimer, RingTimer;
  FakeTrayIcon SysTray;

  // clang-format off
  MainFormControls controls{form, cmdExit, cmdMin2Tray, cmdSet, cmdReset, txtTime, MonthView,
      StatusBar1, Label1, Label2, lblDate, mnuSettings, mnuStartInSystemTray, mnuLoadWinAmpOnStart,
      mnuSnoozeOff, mnuSnooze5, mnuSnooze9, mnuSnooze10, mnuSnooze15, mnuHelp, mnuContents,
      mnuAbout, mnuOptions, mnuShowApp, mnuStartWinAmp, mnuCloseWinAmp, mnuSetAlarm,
      mnuEndSnooze, mnuPopUpHelp, mnuExit, MyTimer, RingTimer, SysTray};
  // clang-format on
};

}  // namespace morv::fakes
