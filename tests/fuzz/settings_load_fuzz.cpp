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

namespace {

using morv::Hive;
using morv::fakes::RegOp;
using namespace std::chrono_literals;

enum class Stored { Text, Missing, NotText, Unreadable };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  morv::fakes::MainFormHarness h;
  auto& registry = h.d.registry;
  const char* names[] = {morv::settings::kSettingsSaved, morv::settings::kDate,
                         morv::settings::kTime,          morv::settings::kStartInTray,
                         morv::settings::kWinAmpOnStart, morv::settings::kRepeatDays};
  for (const char* name : names) {
    const auto stored = static_cast<Stored>(input.ConsumeIntegralInRange(0, 3));
    const std::string text = input.ConsumeRandomLengthString(256);
    if (stored == Stored::Text || stored == Stored::NotText) {
      registry.setString(Hive::LocalMachine, morv::settings::kKey, name,
                         stored == Stored::Text ? std::optional(text) : std::nullopt);
    } else {
      registry.fail(
          RegOp::Read, Hive::LocalMachine, name,
          stored == Stored::Missing ? morv::RegStatus::NotFound : morv::RegStatus::AccessDenied);
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
