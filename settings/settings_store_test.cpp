#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_registry.h"

namespace morv {
namespace {

using fakes::RegOp;
using settings::kKey;
using settings::kKeyWithSlash;
constexpr Hive kMachine = Hive::LocalMachine, kUser = Hive::CurrentUser;

TEST(YesNoTest, OnlyTheFirstThreeCharactersCountAndCaseMatters) {
  for (const char* yes : {"Yes", "Yesterday"}) EXPECT_TRUE(IsYes(std::string(yes))) << yes;
  for (const char* no : {"yes", "YES", "Ye", "", " Yes"})
    EXPECT_FALSE(IsYes(std::string(no))) << no;
  EXPECT_FALSE(IsYes(std::nullopt));
}

// The user's copy wins over the machine's; a missing value or one of another type reads
// as the failure mark, never as the empty text; other hives are read as they are.
TEST(SettingsStoreTest, ReadsPreferTheUsersCopyOfAMachineWideValue) {
  fakes::FakeRegistry registry;
  SettingsStore store{registry};
  registry.setString(kMachine, kKey, "StartInTray", "Yes");
  registry.setString(kUser, kKey, "StartInTray", "No");
  registry.setString(kUser, kKey, "SettingsSaved", "");
  registry.setString(kMachine, kKey, "Date:", std::nullopt);
  registry.setString(kUser, ".MP3", "Winamp_Back", "elsewhere");
  registry.setString(Hive::ClassesRoot, ".MP3", "Winamp_Back", "mp3file");
  EXPECT_EQ(store.ReadSetting(kMachine, kKeyWithSlash, "StartInTray"), "No");
  EXPECT_EQ(store.ReadSetting(kMachine, kKey, "SettingsSaved"), std::string());
  EXPECT_EQ(store.ReadSetting(kMachine, kKey, "Date:"), std::nullopt);
  EXPECT_EQ(store.ReadSetting(kMachine, kKey, "Time:"), std::nullopt);
  EXPECT_EQ(store.ReadSetting(Hive::ClassesRoot, ".MP3", "Winamp_Back"), "mp3file");
}

// A standard user may not write under the machine's key: the key and the value go to the
// user's own hive, where the next read finds them; only a refusal there too is a failure.
TEST(SettingsStoreTest, WhatTheMachineRefusesIsKeptWithTheUser) {
  fakes::FakeRegistry registry;
  SettingsStore store{registry};
  const std::string key = std::string(" ") + kKey;
  EXPECT_TRUE(store.CreateSettingsKey(kMachine, kKeyWithSlash));
  EXPECT_EQ(registry.calls.back(), "create HKLM" + key);
  registry.fail(RegOp::Create, kMachine, "", RegStatus::AccessDenied);
  EXPECT_TRUE(store.CreateSettingsKey(kMachine, kKey));
  EXPECT_EQ(registry.calls.back(), "create HKCU" + key);
  registry.fail(RegOp::Create, kUser, "", RegStatus::AccessDenied);  // a locked-down account
  EXPECT_FALSE(store.CreateSettingsKey(kMachine, kKey));
  registry.fail(RegOp::Write, kMachine, "", RegStatus::AccessDenied);
  EXPECT_TRUE(store.WriteSetting(kMachine, kKey, "Time:", "7:05 AM"));
  EXPECT_EQ(store.ReadSetting(kMachine, kKey, "Time:"), "7:05 AM");
}

}  // namespace
}  // namespace morv
