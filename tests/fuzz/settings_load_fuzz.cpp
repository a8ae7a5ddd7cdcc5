// The settings restored at load, each of any length and bytes, missing, of another
// type or unreadable: the load, the clock's ticks over the restored alarm and a press
// of Turn On must take whatever the registry holds. Which texts come back is the
// native tests' business.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings_layout.h"
#include "tests/fakes/main_form_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morv;
  using namespace std::chrono_literals;
  enum class Stored { Text, Missing, NotText, Unreadable };
  FuzzedDataProvider input(data, size);
  fakes::MainFormHarness h;
  for (const char* name :
       {settings::kSettingsSaved, settings::kDate, settings::kTime, settings::kStartInTray,
        settings::kWinAmpOnStart, settings::kRepeatDays}) {
    const auto stored = static_cast<Stored>(input.ConsumeIntegralInRange(0, 3));
    const std::string text = input.ConsumeRandomLengthString(256);
    if (stored == Stored::Text || stored == Stored::NotText) {
      h.d.registry.setString(Hive::LocalMachine, settings::kKey, name,
                             stored == Stored::Text ? std::optional(text) : std::nullopt);
    } else {
      h.d.registry.fail(fakes::RegOp::Read, Hive::LocalMachine, name,
                        stored == Stored::Missing ? RegStatus::NotFound : RegStatus::AccessDenied);
    }
  }
  const int minute = input.ConsumeIntegralInRange(0, 24 * 60 - 1);
  h.setTime({{2026, 12, 6}, minute / 60, minute % 60, 0});
  if (h.d.ends([&] { h.form.Form_Load(); })) return 0;
  h.ui.MyTimer.setEnabled(true);
  if (h.d.ends([&] { h.advance(3s); })) return 0;
  if (h.d.ends([&] { h.form.cmdSet_Click(); })) return 0;
  h.d.ends([&] { h.advance(3s); });
  return 0;
}
