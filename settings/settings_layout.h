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

// The alarms the user added in the list: "Count" under this key, and each alarm's values
// under a subkey of its own, "1" to "Count".
inline constexpr char kAlarmsKey[] = "SOFTWARE\\QUORVIX\\MORV\\Alarms";
inline constexpr char kAlarmCount[] = "Count";
inline constexpr char kAlarmDate[] = "Date";  // 2026-12-08
inline constexpr char kAlarmTime[] = "Time";  // 06:30, on the 24-hour clock
inline constexpr char kAlarmDays[] = "RepeatDays";
inline constexpr char kAlarmLabel[] = "Label";
inline constexpr char kAlarmOn[] = "On";  // Yes or No
// What an alarm wakes with; for the main window's alarm these sit beside its date and time.
inline constexpr char kAlarmMusic[] = "Music";
inline constexpr char kAlarmRise[] = "RiseSeconds";
// How many minutes a snooze lasts before the alarm rings again; 0 or missing: a snooze
// stops the alarm.
inline constexpr char kSnoozeMinutes[] = "SnoozeMinutes";

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
