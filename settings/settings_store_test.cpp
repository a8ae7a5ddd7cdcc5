#include "settings/settings_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/fake_registry.h"

namespace morv {
namespace {

using fakes::FakeRegistry;
using fakes::RegOp;
using settings::kKey;
using settings::kKeyWithSlash;

TEST(YesNoTest, OnlyTheFirstThreeCharactersCountAndCaseMatters) {
  for (const char* yes : {"Yes", "Yesterday"}) EXPECT_TRUE(IsYes(std::string(yes))) << yes;
  for (const char* no : {"yes", "YES", "Ye", "", " Yes"})
    EXPECT_FALSE(IsYes(std::string(no))) << no;
  EXPECT_FALSE(IsYes(std::nullopt));
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  SettingsStore store{registry};
};

TEST_F(SettingsStoreTest, BothSpellingsOfTheKeyReachTheSameValues) {
  ASSERT_TRUE(store.CreateSettingsKey(Hive::LocalMachine, kKey));
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "Date:", "12/6/2026"));
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "Date:"), "12/6/2026");
  EXPECT_TRUE(store.CreateSettingsKey(Hive::LocalMachine, kKeyWithSlash)) << "already there";
}

TEST_F(SettingsStoreTest, FailureMarkIsDistinctFromTheEmptyText) {
  registry.setString(Hive::LocalMachine, kKey, "SettingsSaved", "");
  registry.setNonString(Hive::LocalMachine, kKey, "StartInTray");
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "SettingsSaved"), std::string());
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "StartInTray"), std::nullopt)
      << "a value of another type reads as the failure mark";
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "WinAmpOnStart"), std::nullopt);
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, "SOFTWARE\\NOWHERE", "x"), std::nullopt);
}

TEST_F(SettingsStoreTest, NothingIsCachedAndOnlyStringsAreWritten) {
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "No"));
  registry.setString(Hive::LocalMachine, kKey, "StartInTray", "Yes");
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray"), "Yes");

  EXPECT_FALSE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "No", 4));
  EXPECT_EQ(registry.value(Hive::LocalMachine, kKey, "StartInTray"), "Yes");
}

TEST_F(SettingsStoreTest, RefusedLocalMachineWritesLandUnderTheCurrentUser) {
  registry.fail(RegOp::Create, Hive::LocalMachine, "", RegStatus::AccessDenied);
  registry.fail(RegOp::Write, Hive::LocalMachine, "", RegStatus::AccessDenied);
  registry.setString(Hive::LocalMachine, kKey, "WinAmpOnStart", "Yes");  // set by an installer

  EXPECT_TRUE(store.CreateSettingsKey(Hive::LocalMachine, kKey));
  EXPECT_TRUE(registry.keyExists(Hive::CurrentUser, kKey));
  EXPECT_TRUE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "No"));
  EXPECT_EQ(registry.value(Hive::CurrentUser, kKey, "StartInTray"), "No");

  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "StartInTray"), "No");
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "WinAmpOnStart"), "Yes")
      << "without a current-user copy the machine-wide value still counts";
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "WinAmpOnStart", "No"));
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "WinAmpOnStart"), "No");
}

TEST_F(SettingsStoreTest, AWriteFailsOnlyWhenNoHiveTakesIt) {
  registry.fail(RegOp::Write, Hive::LocalMachine, "", RegStatus::AccessDenied);
  registry.fail(RegOp::Write, Hive::CurrentUser, "", RegStatus::AccessDenied);
  registry.fail(RegOp::Create, Hive::LocalMachine, "", RegStatus::AccessDenied);
  registry.fail(RegOp::Create, Hive::CurrentUser, "", RegStatus::Failed);
  EXPECT_FALSE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "No"));
  EXPECT_FALSE(store.CreateSettingsKey(Hive::LocalMachine, kKey));
}

TEST_F(SettingsStoreTest, OtherFailuresAreNotRedirected) {
  registry.fail(RegOp::Write, Hive::LocalMachine, "", RegStatus::Failed);
  EXPECT_FALSE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "No"));
  EXPECT_FALSE(registry.value(Hive::CurrentUser, kKey, "StartInTray"));
}

TEST_F(SettingsStoreTest, ALaterMachineWideWriteUpdatesTheCurrentUserCopy) {
  // An administrator writes where a standard user once could not.
  registry.setString(Hive::CurrentUser, kKey, "StartInTray", "No");
  ASSERT_TRUE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "Yes"));
  EXPECT_EQ(store.ReadSetting(Hive::LocalMachine, kKey, "StartInTray"), "Yes");

  registry.fail(RegOp::Write, Hive::CurrentUser, "", RegStatus::Failed);
  EXPECT_FALSE(store.WriteSetting(Hive::LocalMachine, kKeyWithSlash, "StartInTray", "No"))
      << "the value read back would not be the text written";
}

TEST_F(SettingsStoreTest, OtherHivesAreReadDirectly) {
  registry.setString(Hive::CurrentUser, ".MP3", "Winamp_Back", "elsewhere");
  registry.setString(Hive::ClassesRoot, ".MP3", "Winamp_Back", "mp3file");
  EXPECT_EQ(store.ReadSetting(Hive::ClassesRoot, ".MP3", "Winamp_Back"), "mp3file");
}

}  // namespace
}  // namespace morv
