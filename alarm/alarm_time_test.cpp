// The alarm's time as typed, and its date as the locale's picture writes it.
#include "alarm/alarm_time.h"

#include <gtest/gtest.h>

#include "alarm/date_text.h"

namespace morv {
namespace {

std::string Entered(const std::string& typed, bool am = true) {
  const auto time = ReadTypedTime(typed);
  return time ? AlarmTimeText(TimeOfTyped(*time, am)) : "format error";
}

TEST(TypedTimeTest, AcceptsTwoDigitHoursAndReadsByPosition) {
  EXPECT_EQ(Entered("12:00", false), "12:00 PM");
  EXPECT_EQ(Entered("12:00", true), "12:00 AM");
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

TEST(ShortDateTest, ReadsByThePicturesFieldOrder) {
  struct Row {
    const char* pattern;
    const char* text;
    std::optional<CalendarDate> date;
  } const rows[] = {
      {"M/d/yyyy", "12/7/2026", CalendarDate{2026, 12, 7}},
      {"dd.MM.yyyy", "07.12.2026", CalendarDate{2026, 12, 7}},
      {"yyyy-MM-dd", "2026-12-07", CalendarDate{2026, 12, 7}},
      {"d/M/yy", "7/12/26", CalendarDate{2026, 12, 7}},
      {"d/M/yy", "7/12/77", CalendarDate{1977, 12, 7}},
      {"dddd, d. M. yyyy", "Monday, 7. 12. 2026", CalendarDate{2026, 12, 7}},
      {"yyyy'年'M'月'd'日'", "2026年12月7日", CalendarDate{2026, 12, 7}},
      {"M/d/yyyy", "2/29/2027", std::nullopt},
      {"M/d/yyyy", "13/7/2026", std::nullopt},
      {"M/d/yyyy", "12/7", std::nullopt},
      {"M/d/yyyy", "12/7/2026/1", std::nullopt},
      {"MMMM d, yyyy", "December 7, 2026", std::nullopt},
      {"M/d/yyyy", "99999999999/7/2026", std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(ReadShortDate(r.pattern, r.text), r.date) << r.text;
}

}  // namespace
}  // namespace morv
