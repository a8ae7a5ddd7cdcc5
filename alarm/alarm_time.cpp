#include "alarm/alarm_time.h"

#include <cstdio>

#include "platform/text.h"

namespace morv {
namespace {

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

TimeOfDay TimeOfTyped(const TypedTime& typed, bool am) {
  return {typed.hour % 12 + (am ? 0 : 12), typed.minute};
}

std::string AlarmTimeText(const TimeOfDay& time) {
  const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
  char text[32];
  std::snprintf(text, sizeof(text), "%d:%02d %s", hour12, time.minute,
                time.hour < 12 ? "AM" : "PM");
  return text;
}

std::optional<TimeOfDay> ReadAlarmTimeText(const std::string& text) {
  const auto colon = text.find(':');
  if (colon != 1 && colon != 2) return std::nullopt;
  if (text.size() != colon + 6) return std::nullopt;
  const auto typed = ReadTypedTime(text.substr(0, colon) + (colon == 1 ? " " : "") +
                                   text.substr(colon, 3));
  if (!typed || text.compare(colon + 3, 1, " ") != 0) return std::nullopt;
  const std::string half = text.substr(colon + 4);
  if (half != "AM" && half != "PM") return std::nullopt;
  const TimeOfDay time = TimeOfTyped(*typed, half == "AM");
  if (AlarmTimeText(time) != text) return std::nullopt;
  return time;
}

std::string ClockText(const LocalDateTime& now) {
  const int hour12 = now.hour % 12 == 0 ? 12 : now.hour % 12;
  char text[32];
  std::snprintf(text, sizeof(text), "%d:%02d:%02d %s", hour12, now.minute, now.second,
                now.hour < 12 ? "AM" : "PM");
  return text;
}

}  // namespace morv
