#pragma once
// The words the alarm puts on buttons, in the status panel and in the tray.
#include <string>

namespace morv::texts {

inline std::string Summary(const std::string& date, const std::string& time) {
  return "Alarm Settings: OFF  Date: " + date + " Time: " + time + " ALARM IS SET.";
}
inline std::string SummaryWithoutDate(const std::string& time) {
  return "Alarm Settings: OFF  Date: No Date Selected Yet. Time: " + time + " ALARM NOT SET.";
}
inline std::string Armed(const std::string& date, const std::string& time) {
  return "Alarm Settings: ON  Date: " + date + " Time: " + time + " ALARM IS SET";
}
inline std::string Disarmed(const std::string& date, const std::string& time) {
  return "Alarm Settings: OFF  Date: " + date + " Time: " + time + " ALARM IS SET";
}

inline constexpr char kValidating[] = "Validating Input. . .";
inline constexpr char kReady[] = "Ready.";
inline constexpr char kBanner[] =
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! "
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!!";

inline constexpr char kTurnOn[] = "Turn &On";
inline constexpr char kTurnOff[] = "Turn &Off";
inline constexpr char kSnooze[] = "Snoo&ze";
inline constexpr char kCloseWinAmp[] = "Clos&e WinAmp";

inline constexpr char kTipActivate[] = "Click Here To Activate The Alarm.";
inline constexpr char kTipTurnOff[] = "Turn The Alarm OFF.";
inline constexpr char kTipAccept[] = "Accept Settings And Turn Alarm On.";
inline constexpr char kTrayNotSet[] = "Alarm Is Not Set.  Awaiting Selection.";

// Tray pictures.
inline constexpr int kIconNoAlarm = 1;
inline constexpr int kIconSet = 2;
inline constexpr int kIconActivated = 3;

}  // namespace morv::texts
