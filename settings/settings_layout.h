#pragma once
// Where every persisted setting lives.

namespace morv::settings {

// The settings key; callers spell it with and without the trailing backslash.
inline constexpr char kKey[] = "SOFTWARE\\QUORVIX\\MORV";
inline constexpr char kKeyWithSlash[] = "SOFTWARE\\QUORVIX\\MORV\\";

inline constexpr char kSettingsSaved[] = "SettingsSaved";
inline constexpr char kDate[] = "Date:";
inline constexpr char kTime[] = "Time:";
inline constexpr char kStartInTray[] = "StartInTray";
inline constexpr char kWinAmpOnStart[] = "WinAmpOnStart";
// The weekdays the alarm repeats on, e.g. "Mon,Tue,Wed,Thu,Fri"; empty for none.
inline constexpr char kRepeatDays[] = "RepeatDays";

// Start with Windows.
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "Morvane";
// Quoted: Windows reads an unquoted path with blanks by trying "c:\Program.exe" first,
// so a program planted there would run at every log-on.
inline constexpr char kRunPath[] = "\"c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE\"";
// The same behind a dash names no program: start-with-Windows switched off.
inline constexpr char kRunPathOff[] = "-\"c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE\"";

inline constexpr char kYes[] = "Yes";
inline constexpr char kNo[] = "No";

// The only value type the program writes.
inline constexpr int kRegSz = 1;

}  // namespace morv::settings
