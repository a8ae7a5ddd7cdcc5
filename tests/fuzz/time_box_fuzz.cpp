// The time box: any typed text read as an alarm time, and the same text left by the
// focus so the main window validates it, the input also answering its questions.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/alarm_time.h"
#include "tests/fakes/main_form_harness.h"

namespace {

using morv::MbAnswer;

void Require(bool holds) {
  if (!holds) __builtin_trap();
}

// An accepted time must be one the clock can show: its alarm text is the key of
// that clock minute, or the alarm could never ring.
void CheckReading(const std::string& typed, int second) {
  const auto time = morv::ReadTypedTime(typed);
  if (!time) return;
  Require(time->hour >= 1 && time->hour <= 12 && time->minute >= 0 && time->minute <= 59);
  for (bool am : {true, false}) {
    const int hour24 = time->hour % 12 + (am ? 0 : 12);
    const std::string clock = morv::ClockText({{2026, 12, 6}, hour24, time->minute, second});
    Require(morv::ClockKeyOf(clock) == morv::AlarmTimeText(*time, am));
  }
}

void CheckValidation(const std::string& typed, bool am, bool retry) {
  morv::fakes::MainFormHarness h;
  h.form.txtTime_Click();
  h.ui.txtTime.setText(typed);
  // One box either way: the AM/PM question, or the format error's.
  const auto time = morv::ReadTypedTime(typed);
  h.d.boxes.answers = {time ? (am ? MbAnswer::Yes : MbAnswer::No)
                            : (retry ? MbAnswer::Ok : MbAnswer::Cancel)};
  bool cancel = false;
  h.form.txtTime_Validate(cancel);
  if (time) {
    Require(!cancel);
    Require(h.form.alarm.AlarmTime == morv::AlarmTimeText(*time, am));
    Require(h.ui.txtTime.text() == h.form.alarm.AlarmTime);
  } else {
    Require(cancel == retry);
    Require(h.form.alarm.AlarmTime.empty());
  }
  Require(h.d.boxes.shown.size() == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto flags = input.ConsumeIntegral<std::uint8_t>();
  const int second = input.ConsumeIntegralInRange(0, 59);
  const std::string typed = input.ConsumeRemainingBytesAsString();
  CheckReading(typed, second);
  CheckValidation(typed, flags & 1, flags & 2);
  return 0;
}
