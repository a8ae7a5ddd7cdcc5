#pragma once
// The three registry operations every other part of the program goes through.
// Nothing is cached: a read returns what the last write left.
#include <optional>
#include <string>

#include "platform/registry.h"
#include "settings/settings_layout.h"

namespace morv {

class SettingsStore {
 public:
  explicit SettingsStore(Registry& registry) : registry_(registry) {}

  // True when the key exists afterwards, created now or already there.
  bool CreateSettingsKey(Hive hive, const std::string& keyPath);
  // The value's text, or nullopt when the key or the value cannot be read or
  // the value holds no string. The empty text is a text like any other.
  std::optional<std::string> ReadSetting(Hive hive, const std::string& keyPath,
                                         const std::string& valueName);
  // True when the value now holds the text. Only string values are written.
  bool WriteSetting(Hive hive, const std::string& keyPath, const std::string& valueName,
                    const std::string& text, int valueType = settings::kRegSz);

 private:
  Registry& registry_;
};

// The yes/no test of a stored option: its first three characters are "Yes".
bool IsYes(const std::optional<std::string>& setting);

}  // namespace morv
