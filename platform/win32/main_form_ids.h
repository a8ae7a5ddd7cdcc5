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
  kShowApp = 210,
  kStartWinAmp = 211,
  kCloseWinAmp = 212,
  kSetAlarm = 213,
  kPopUpHelp = 214,
  kExitProgram = 215,
};

}  // namespace morv::win32::ids
