#include "settings/settings_store.h"

namespace morv {
namespace {

std::string WithoutTrailingBackslash(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

// A standard user on Vista and later may not write under HKEY_LOCAL_MACHINE.
// Rather than fail at the first start, a refused local-machine write keeps the
// value under the same path in HKEY_CURRENT_USER, and reads prefer that copy:
// the idea of Windows' own registry virtualization, done openly.

bool SettingsStore::CreateSettingsKey(Hive hive, const std::string& keyPath) {
  const std::string path = WithoutTrailingBackslash(keyPath);
  const RegStatus status = registry_.createKey(hive, path);
  if (status == RegStatus::AccessDenied && hive == Hive::LocalMachine) {
    return registry_.createKey(Hive::CurrentUser, path) == RegStatus::Ok;
  }
  return status == RegStatus::Ok;
}

std::optional<std::string> SettingsStore::ReadSetting(Hive hive, const std::string& keyPath,
                                                      const std::string& valueName) {
  const std::string path = WithoutTrailingBackslash(keyPath);
  if (hive == Hive::LocalMachine) {
    RegRead user = registry_.readString(Hive::CurrentUser, path, valueName);
    if (user.status == RegStatus::Ok) return std::move(user.text);
  }
  RegRead read = registry_.readString(hive, path, valueName);
  if (read.status != RegStatus::Ok) return std::nullopt;
  return std::move(read.text);
}

bool SettingsStore::WriteSetting(Hive hive, const std::string& keyPath,
                                 const std::string& valueName, const std::string& text,
                                 int valueType) {
  if (valueType != settings::kRegSz) return false;
  const std::string path = WithoutTrailingBackslash(keyPath);
  const RegStatus status = registry_.writeString(hive, path, valueName, text);
  if (hive != Hive::LocalMachine) return status == RegStatus::Ok;
  if (status == RegStatus::AccessDenied) {
    return registry_.writeString(Hive::CurrentUser, path, valueName, text) == RegStatus::Ok;
  }
  if (status != RegStatus::Ok) return false;
  // A current-user copy left by an earlier refused write would hide this one from
  // every later read, so it has to follow.
  if (registry_.readString(Hive::CurrentUser, path, valueName).status != RegStatus::Ok) {
    return true;
  }
  return registry_.writeString(Hive::CurrentUser, path, valueName, text) == RegStatus::Ok;
}

bool IsYes(const std::optional<std::string>& setting) {
  return setting && setting->compare(0, 3, settings::kYes) == 0;
}

}  // namespace morv
