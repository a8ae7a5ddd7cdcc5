#pragma once
// The alarm, as texts; an empty text means "not set".
#include <string>

namespace morv {

struct AlarmRecord {
  std::string AlarmDate;     // the locale's short-date text of the chosen day
  std::string AlarmTime;     // H:MM AM or H:MM PM
  std::string ArmedMark;     // "Set" while armed
  std::string PlayerHandle;  // decimal handle of the player window started for the alarm
  std::string FiredMark;     // "!" once the alarm has fired
  std::string PlayingMark;   // "Playing" once the alarm has fired
  std::string ClockKey;      // the present time in the AlarmTime form, rebuilt every tick
};

inline constexpr char kArmed[] = "Set";
inline constexpr char kFired[] = "!";
inline constexpr char kPlaying[] = "Playing";

}  // namespace morv
