// The settings store on the real registry, read back by Windows' own reg.exe.
#include <windows.h>
#include <sddl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/win32/registry_win.h"
#include "platform/win32/unique_handle.h"
#include "settings/settings_store.h"
#include "tools/morvane_driver/run_program.h"

namespace morv {
namespace {

using ::testing::HasSubstr;

// reg.exe lists a value as four blanks, the name, four blanks, the type, four blanks, the data.
::testing::Matcher<std::string> ListsString(const std::string& name, const std::string& data) {
  return HasSubstr("\n    " + name + "    REG_SZ    " + data + "\r\n");
}

constexpr char kScratch[] = "SOFTWARE\\QUORVIX\\MORV-test";

void DeleteTree(HKEY root, const char* path) { RegDeleteTreeA(root, path); }

class SettingsStoreWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(HKEY_LOCAL_MACHINE, settings::kKey);
    DeleteTree(HKEY_CURRENT_USER, settings::kKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kScratch);
    DeleteTree(HKEY_CURRENT_USER, kScratch);
  }
  void TearDown() override { SetUp(); }

  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, settings::kKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    win32::UniqueHkey owned(key);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }

  win32::RegistryWin registry;
  SettingsStore store{registry};
};

TEST_F(SettingsStoreWinTest, WritesStringsThatRegExeReadsAndReadsBackOddValuesSafely) {
  ASSERT_TRUE(store.CreateSettingsKey(Hive::LocalMachine, settings::kKey));
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, "StartInTray", "No"));
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, "Time:", "7:05 AM"));
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, settings::kRunKey, settings::kRunValue,
                                 settings::kRunPathOff));

  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "Time:"), "7:05 AM");
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, "StartInTray"), "No");

  const auto settingsKey = driver::RunProgram("reg query \"HKLM\\SOFTWARE\\QUORVIX\\MORV\"");
  EXPECT_EQ(settingsKey.exitCode, 0u) << settingsKey.text;
  EXPECT_THAT(settingsKey.text, ListsString("StartInTray", "No"));
  EXPECT_THAT(settingsKey.text, ListsString("Time:", "7:05 AM"));

  const auto run = driver::RunProgram(
      "reg query \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" /v Morvane");
  EXPECT_THAT(run.text, ListsString("Morvane", settings::kRunPathOff));

  // Missing, oddly typed, unterminated and huge values.
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "SettingsSaved"), std::nullopt);
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, "SOFTWARE\\QUORVIX\\NOWHERE", "x"), std::nullopt);

  const DWORD number = 1;
  SetRaw("WinAmpOnStart", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "WinAmpOnStart"), std::nullopt);
  const char bytes[] = "Yes";
  SetRaw("StartInTray", REG_BINARY, bytes, 3);
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "StartInTray"), std::nullopt);

  SetRaw("SettingsSaved", REG_SZ, "Yes", 3);  // no terminating NUL
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "SettingsSaved"), "Yes");
  SetRaw("Date:", REG_SZ, "", 0);
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "Date:"), std::string());

  const std::string huge(200000, 'x');
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, "Time:", huge));
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, settings::kKey, "Time:"), huge);
}

TEST_F(SettingsStoreWinTest, AKeyThatRefusesWritesSendsThemToTheCurrentUser) {
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, kScratch, "WinAmpOnStart", "Yes"));
  {
    // Everyone may read the key, nobody may write it: a standard user's view of
    // HKEY_LOCAL_MACHINE. Wine enforces key security descriptors.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kScratch, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    win32::UniqueHkey owned(key);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    const LONG set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    ASSERT_EQ(set, ERROR_SUCCESS);
  }
  ASSERT_EQ(registry.writeString(Hive::LocalMachine, kScratch, "StartInTray", "Yes"),
            RegStatus::AccessDenied);

  EXPECT_TRUE(store.CreateSettingsKey(Hive::LocalMachine, kScratch));
  EXPECT_TRUE(
      store.WriteSetting(Hive::LocalMachine, std::string(kScratch) + "\\", "StartInTray", "Yes"));
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kScratch, "StartInTray"), "Yes");
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kScratch, "WinAmpOnStart"), "Yes");

  const auto user = driver::RunProgram("reg query \"HKCU\\SOFTWARE\\QUORVIX\\MORV-test\"");
  EXPECT_THAT(user.text, ListsString("StartInTray", "Yes"));
  const auto machine = driver::RunProgram("reg query \"HKLM\\SOFTWARE\\QUORVIX\\MORV-test\"");
  EXPECT_THAT(machine.text, ::testing::Not(HasSubstr("StartInTray")));
}

}  // namespace
}  // namespace morv
