// The settings restored at load, each of any length and bytes, missing, of another
// type or unreadable: the load, the clock's ticks over the restored alarm and a press
// of Turn On must take whatever the registry holds.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/repeat_days.h"
#include "alarm/wake_schedule.h"
#include "settings/settings_layout.h"
#include "settings/settings_store.h"
#include "tests/fakes/main_form_harness.h"

namespace {

using morv::Hive;
using morv::fakes::RegOp;
using namespace std::chrono_literals;

void Require(bool holds) {
  if (!holds) __builtin_trap();
}

enum class Stored { Text, Missing, NotText, Unreadable };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  morv::fakes::MainFormHarness h;
  auto& registry = h.d.registry;
  const char* names[] = {morv::settings::kSettingsSaved, morv::settings::kDate,
                         morv::settings::kTime,          morv::settings::kStartInTray,
                         morv::settings::kWinAmpOnStart, morv::settings::kRepeatDays};
  std::string texts[6];
  bool readable[6];
  for (int i = 0; i < 6; ++i) {
    const auto stored = static_cast<Stored>(input.ConsumeIntegralInRange(0, 3));
    texts[i] = input.ConsumeRandomLengthString(256);
    readable[i] = stored == Stored::Text;
    switch (stored) {
      case Stored::Text:
        registry.setString(Hive::LocalMachine, morv::settings::kKey, names[i], texts[i]);
        break;
      case Stored::Missing:
        registry.fail(RegOp::Read, Hive::LocalMachine, names[i], morv::RegStatus::NotFound);
        break;
      case Stored::NotText:
        registry.setNonString(Hive::LocalMachine, morv::settings::kKey, names[i]);
        break;
      case Stored::Unreadable:
        registry.fail(RegOp::Read, Hive::LocalMachine, names[i], morv::RegStatus::AccessDenied);
        break;
    }
  }
  const int minute = input.ConsumeIntegralInRange(0, 24 * 60 - 1);
  h.setTime({{2026, 12, 6}, minute / 60, minute % 60, 0});
  if (h.d.ends([&] { h.form.Form_Load(); })) return 0;

  // A saved alarm comes back as the stored texts themselves, and never half of one; one
  // that repeats on a clock-readable time comes back armed for a day of its own.
  const bool restored = readable[0] && morv::IsYes(texts[0]) && readable[1] && readable[2];
  const bool repeats = restored && readable[5] && morv::ReadRepeatDays(texts[5]).any() &&
                       morv::AlarmTimeOfDay(texts[2]);
  Require((h.form.alarm.ArmedMark == morv::kArmed) == repeats);
  if (!repeats) Require(h.form.alarm.AlarmDate == (restored ? texts[1] : ""));
  Require(h.form.alarm.AlarmTime == (restored ? texts[2] : ""));
  h.ui.MyTimer.setEnabled(true);
  if (h.d.ends([&] { h.advance(3s); })) return 0;
  if (h.d.ends([&] { h.form.cmdSet_Click(); })) return 0;
  h.d.ends([&] { h.advance(3s); });
  return 0;
}
