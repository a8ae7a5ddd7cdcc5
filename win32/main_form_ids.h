#pragma once
// Control and command identifiers of the main window. Tests that drive the window
// from outside find its controls by these too.

namespace morv::win32::ids {

enum : unsigned {
  kCalendar = 100,
  kTimeBox = 101,
  kSet = 102,
  kReset = 103,
  kToTray = 104,
  kExit = 105,
  kStatusBar = 106,
  kLabel1 = 107,
  kLabel2 = 108,
  kDateLabel = 109,

  kStartInSystemTray = 200,
  kLoadWinAmpOnStart = 201,
  kContents = 202,
  kAbout = 203,
  kRepeat = 204,
  kAlarms = 205,
  kAlarmSound = 206,
  kShowApp = 210,
  kStartWinAmp = 211,
  kCloseWinAmp = 212,
  kSetAlarm = 213,
  kPopUpHelp = 214,
  kExitProgram = 215,
  kEndSnooze = 216,
  kSnoozeOff = 220,
  kSnooze5 = 221,
  kSnooze9 = 222,
  kSnooze10 = 223,
  kSnooze15 = 224,
};

}  // namespace morv::win32::ids
