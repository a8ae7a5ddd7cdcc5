#pragma once
// The main window's controls and menus, by the names the program's handlers use.
#include "platform/controls.h"
#include "platform/tray_icon.h"

namespace morv {

struct MainFormControls {
  FormWindow& form;
  Button& cmdExit;
  Button& cmdMin2Tray;
  Button& cmdSet;
  Button& cmdReset;
  TextBox& txtTime;
  MonthCalendar& MonthView;
  StatusPanel& StatusBar1;
  Label& Label1;
  Label& Label2;
  Label& lblDate;
  // Settings menu.
  MenuItem& mnuSettings;
  MenuItem& mnuStartInSystemTray;
  MenuItem& mnuLoadWinAmpOnStart;
  // How long a snooze lasts before the alarm rings again; Off: a snooze is a stop.
  MenuItem& mnuSnoozeOff;
  MenuItem& mnuSnooze5;
  MenuItem& mnuSnooze9;
  MenuItem& mnuSnooze10;
  MenuItem& mnuSnooze15;
  // Help menu.
  MenuItem& mnuHelp;
  MenuItem& mnuContents;
  MenuItem& mnuAbout;
  // The Options menu, never on the menu bar: the tray's pop-up menu.
  MenuItem& mnuOptions;
  MenuItem& mnuShowApp;
  MenuItem& mnuStartWinAmp;
  MenuItem& mnuCloseWinAmp;
  MenuItem& mnuSetAlarm;
  // Ends a snoozed alarm for good; only in the menu while an alarm is snoozed.
  MenuItem& mnuEndSnooze;
  MenuItem& mnuPopUpHelp;
  MenuItem& mnuExit;
  Timer& MyTimer;
  // Runs while the alarm rings, whatever stops the clock.
  Timer& RingTimer;
  TrayIcon& SysTray;
};

}  // namespace morv
