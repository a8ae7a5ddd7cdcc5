// The settings store on the real registry: values Morvane never wrote. (What the program
// writes, and where it goes when a hive refuses, the end-to-end tests read back.)
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/registry_win.h"
#include "settings/settings_store.h"

namespace morv {
namespace {

TEST(SettingsStoreWinTest, ValuesOfAnotherTypeOrWithoutTheirEndReadSafely) {
  constexpr char kScratch[] = "SOFTWARE\\QUORVIX\\MORV-test";
  win32::RegistryWin registry;
  SettingsStore store{registry};
  const DWORD number = 1;
  const struct {
    const char* name;
    DWORD type;
    const void* data;
    DWORD size;
    std::optional<std::string> read;
  } cases[] = {
      {"WinAmpOnStart", REG_DWORD, &number, sizeof(number), std::nullopt},
      {"StartInTray", REG_BINARY, "Yes", 3, std::nullopt},
      {"SettingsSaved", REG_SZ, "Yes", 3, "Yes"},  // no terminating NUL
      {"Date:", REG_SZ, "", 0, ""},
      {"Missing", REG_NONE, nullptr, 0, std::nullopt},
  };
  for (const auto& c : cases) {
    if (c.data) RegSetKeyValueA(HKEY_LOCAL_MACHINE, kScratch, c.name, c.type, c.data, c.size);
    EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kScratch, c.name), c.read) << c.name;
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kScratch);
}

}  // namespace
}  // namespace morv
