#include "alarm/alarm_time.h"

#include <gtest/gtest.h>

namespace morv {
namespace {

std::string Entered(const std::string& typed, bool am = true) {
  const auto time = ReadTypedTime(typed);
  return time ? AlarmTimeText(*time, am) : "format error";
}

TEST(TypedTimeTest, AcceptsTwoDigitHoursAndReadsByPosition) {
  EXPECT_EQ(Entered("12:00", false), "12:00 PM");
  EXPECT_EQ(Entered("  07:05  "), "7:05 AM") << "outer blanks are removed first";
  EXPECT_EQ(Entered("07:5"), "7:05 AM") << "a one-digit minute";
  EXPECT_EQ(Entered("0730"), "7:00 AM") << "character 3 is skipped, the minute is '0'";
  EXPECT_EQ(Entered("7 :05"), "7:05 AM") << "a digit followed by a blank";
  EXPECT_EQ(Entered("10:41:07 AM"), "10:41 AM") << "what follows the minute is ignored";
}

TEST(TypedTimeTest, RejectsWhatCannotBeAnAlarmTime) {
  for (const char* typed : {"7:05", "9:41:07 AM", "13:00", "07:60", "", "   ", "07:", "ab:cd",
                            "07:x5", "00:30", "00:00", "-1:30", "07:-5", "1.:30"}) {
    EXPECT_EQ(Entered(typed), "format error") << '"' << typed << '"';
  }
}

// The clock's hours and halves meet the typed ones at every edge.
TEST(ClockKeyTest, EveryMinuteOfTheDayMeetsItsAlarmTime) {
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
      const auto typed = ReadTypedTime((hour12 < 10 ? "0" : "") + std::to_string(hour12) + ":" +
                                       (minute < 10 ? "0" : "") + std::to_string(minute));
      ASSERT_TRUE(typed);
      EXPECT_EQ(ClockKeyOf(ClockText({{2026, 1, 1}, hour, minute, 59})),
                AlarmTimeText(*typed, hour < 12));
    }
  }
}

}  // namespace
}  // namespace morv
