#include "alarm/alarm_time.h"

#include <cstdio>

namespace morv {
namespace {

std::string Trimmed(const std::string& text, const char* blanks) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// A field of up to two characters read as a whole number: surrounding blanks and a
// sign are allowed, nothing else.
std::optional<int> FieldNumber(const std::string& field) {
  const std::string body = Trimmed(field, " \t");
  size_t at = 0;
  bool negative = false;
  if (at < body.size() && (body[at] == '+' || body[at] == '-')) negative = body[at++] == '-';
  if (at == body.size()) return std::nullopt;
  int value = 0;
  for (; at < body.size(); ++at) {
    if (body[at] < '0' || body[at] > '9') return std::nullopt;
    value = value * 10 + (body[at] - '0');
  }
  return negative ? -value : value;
}

std::string Characters(const std::string& text, size_t from, size_t count) {
  return from < text.size() ? text.substr(from, count) : std::string();
}

}  // namespace

std::optional<TypedTime> ReadTypedTime(const std::string& text) {
  const std::string typed = Trimmed(text, " ");
  const auto hour = FieldNumber(Characters(typed, 0, 2));
  const auto minute = FieldNumber(Characters(typed, 3, 2));
  if (!hour || !minute) return std::nullopt;
  // Hour 0 (and below) never matches a clock reading, so such an alarm could never
  // ring while the status says it is set: refuse it like hour 13.
  if (*hour < 1 || *hour > 12 || *minute < 0 || *minute > 59) return std::nullopt;
  return TypedTime{*hour, *minute};
}

std::string AlarmTimeText(const TypedTime& time, bool am) {
  char text[32];
  std::snprintf(text, sizeof(text), "%d:%02d %s", time.hour, time.minute, am ? "AM" : "PM");
  return text;
}

std::string ClockText(const LocalDateTime& now) {
  const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
  char text[32];
  std::snprintf(text, sizeof(text), "%d:%02d:%02d %s", hour12, now.minute, now.second,
                now.hour < 12 ? "AM" : "PM");
  return text;
}

std::string ClockKeyOf(const std::string& clockText) {
  std::string hour = Characters(clockText, 0, 2);
  if (hour.size() == 2 && hour[1] == ':') hour.resize(1);
  std::string minute = Characters(clockText, hour.size() == 2 ? 3 : 2, 2);
  if (!minute.empty() && minute.back() == ':') minute = "0" + minute.substr(0, 1);
  const std::string designator =
      clockText.size() >= 2 ? clockText.substr(clockText.size() - 2) : clockText;
  return hour + ":" + minute + " " + designator;
}

}  // namespace morv
