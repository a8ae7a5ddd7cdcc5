// The setup under Wine, run silently as an administrator would: what an install puts
// in place, that the installed program starts, and what an uninstall leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/unique_handle.h"
#include "tests/setup/setup_bed.h"
#include "tools/uidriver/uidriver.h"

namespace morv::setup_test {
namespace {

using namespace std::chrono_literals;

constexpr DWORD kAbortedBySetup = 2;  // NSIS's exit code when setup itself gave up

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

DWORD Install() { return RunToEnd(Quoted(SetupProgram()) + " /S"); }

std::string Uninstaller() { return Quoted(InstallFolder() + "\\uninstall.exe"); }

void ExpectNothingLeft() {
  const std::string folder = InstallFolder();
  for (const char* file : {"MORVU.EXE", "MORVHELP.DOC", "uninstall.exe"}) {
    EXPECT_FALSE(FileExists(folder + "\\" + file)) << file;
  }
  EXPECT_FALSE(FolderExists(QuorvixFolder())) << "nothing else of Quorvix was there";
  EXPECT_FALSE(FileExists(StartMenuShortcut()));
  for (const char* hive : {"HKLM\\", "HKCU\\"}) {
    EXPECT_FALSE(RegQueryValue(hive + std::string(kRunKey), "Morvane")) << hive;
  }
  EXPECT_FALSE(RegKeyExists(kUninstallKey));
}

// What Morvane leaves in the registry once it has been used for a while, under both
// hives: settings, a saved alarm, start with Windows switched on or off.
void UseMorvaneForAWhile() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    WriteString(root, kSettingsKey, "StartInTray", "Yes");
    WriteString(root, kSettingsKey, "SettingsSaved", "Yes");
    WriteString(root, kSettingsKey, "Time:", "7:05 AM");
  }
  WriteString(HKEY_LOCAL_MACHINE, kRunKey, "Morvane",
              "c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE");
  WriteString(HKEY_CURRENT_USER, kRunKey, "Morvane",
              "-c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE");
}

class SetupTest : public ::testing::Test {
 protected:
  // The prefix is shared with the other Windows tests: each test starts from, and
  // leaves, a machine without Morvane.
  void SetUp() override { RemoveEverything(); }
  void TearDown() override { RemoveEverything(); }
};

TEST_F(SetupTest, SilentInstallPutsTheProgramItsHelpAShortcutAndAnUninstallEntryInPlace) {
  ASSERT_EQ(Install(), 0u);
  const std::string folder = InstallFolder();
  EXPECT_EQ(FileContents(folder + "\\MORVU.EXE"), FileContents(BuildFolder() + "\\morvu.exe"));
  EXPECT_EQ(FileContents(folder + "\\MORVHELP.DOC"),
            FileContents(BuildFolder() + "\\MORVHELP.DOC"));
  EXPECT_TRUE(FileExists(folder + "\\uninstall.exe"));
  EXPECT_TRUE(FileExists(StartMenuShortcut()));

  const std::string uninstaller = folder + "\\uninstall.exe";
  const struct {
    const char* name;
    std::string data;
  } expected[] = {
      {"DisplayName", "Morvane"},
      {"DisplayVersion", "1.4.4"},
      {"Publisher", "Quorvix"},
      {"DisplayIcon", folder + "\\MORVU.EXE,0"},
      {"UninstallString", Quoted(uninstaller)},
      {"QuietUninstallString", Quoted(uninstaller) + " /S"},
  };
  for (const auto& value : expected) {
    const auto found = RegQueryValue(kUninstallKey, value.name);
    ASSERT_TRUE(found) << value.name;
    EXPECT_EQ(found->type, "REG_SZ") << value.name;
    EXPECT_EQ(found->data, value.data) << value.name;
  }
  // In KiB, as Windows' list of programs shows it: at least the program itself.
  const auto size = RegQueryValue(kUninstallKey, "EstimatedSize");
  ASSERT_TRUE(size);
  EXPECT_EQ(size->type, "REG_DWORD");
  EXPECT_GE(std::stoul(size->data, nullptr, 16),
            FileContents(folder + "\\MORVU.EXE").size() / 1024);
  // A 64-bit setup writes the 64-bit view, where Windows' list of programs looks.
  EXPECT_FALSE(RegKeyExists(
      "HKLM\\Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane"));
}

TEST_F(SetupTest, TheInstalledProgramStartsAndSetupWaitsUntilItHasBeenClosed) {
  ASSERT_EQ(Install(), 0u);
  const std::string folder = InstallFolder();
  {
    auto morvane = uidriver::Process::launch({.executable = folder + "\\MORVU.EXE",
                                              .workingDirectory = folder,
                                              .environment = {{"WINAMP_STANDIN_SILENT", "1"}}});
    // The splash and the start-up pause come first.
    uidriver::waitForWindow(morvane.pid(), {.className = "MorvaneMainWindow", .visibleOnly = true},
                            30s);
    EXPECT_EQ(Install(), kAbortedBySetup) << "setup must not replace a running program";
    EXPECT_EQ(RunToEnd(Uninstaller() + " /S _?=" + folder), kAbortedBySetup);
    EXPECT_TRUE(FileExists(folder + "\\MORVU.EXE"));
  }  // Morvane ends here
  EXPECT_EQ(Install(), 0u);
}

TEST_F(SetupTest, SilentUninstallLeavesNothingBehindButTheSettings) {
  ASSERT_EQ(Install(), 0u);
  UseMorvaneForAWhile();
  // As Windows' list of programs does it, without _?=: the uninstaller hands over
  // to a copy of itself and returns at once.
  const auto quiet = RegQueryValue(kUninstallKey, "QuietUninstallString");
  ASSERT_TRUE(quiet);
  EXPECT_EQ(RunWithItsChildren(quiet->data), 0u);

  ExpectNothingLeft();
  for (const char* hive : {"HKLM\\", "HKCU\\"}) {
    EXPECT_EQ(RegQueryValue(std::string(hive) + kSettingsKey, "Time:").value_or(RegValue{}).data,
              "7:05 AM")
        << hive << ": a reinstall must find the saved alarm";
  }
}

TEST_F(SetupTest, UninstallAskedToRemoveTheSettingsRemovesThemUnderBothHives) {
  ASSERT_EQ(Install(), 0u);
  UseMorvaneForAWhile();
  WriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORVIX\\OTHER", "Kept", "Yes");

  EXPECT_EQ(RunToEnd(Uninstaller() + " /S /REMOVESETTINGS _?=" + InstallFolder()), 0u);

  EXPECT_FALSE(RegKeyExists(std::string("HKLM\\") + kSettingsKey));
  EXPECT_FALSE(RegKeyExists(std::string("HKCU\\") + kSettingsKey));
  EXPECT_FALSE(RegKeyExists("HKCU\\SOFTWARE\\QUORVIX")) << "left empty, so removed";
  EXPECT_TRUE(RegQueryValue("HKLM\\SOFTWARE\\QUORVIX\\OTHER", "Kept")) << "not Morvane's";
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORVIX\\OTHER");
}

TEST_F(SetupTest, TheUninstallersBoxToRemoveTheSettingsStartsUntickedAndRemovesThemTicked) {
  ASSERT_EQ(Install(), 0u);
  UseMorvaneForAWhile();
  const std::string folder = InstallFolder();
  // _?= works only unquoted, so not through the driver's launch, which quotes.
  const win32::UniqueProcessHandle uninstaller = Start(Uninstaller() + " _?=" + folder);
  const DWORD pid = GetProcessId(uninstaller.get());
  struct EndedWithTheTest {
    HANDLE process;
    ~EndedWithTheTest() { TerminateProcess(process, 1); }
  } ended{uninstaller.get()};
  const HWND window = uidriver::waitForWindow(
      pid, {.className = "#32770", .title = "Morvane Uninstall", .visibleOnly = true}, 20s);
  const HWND box = uidriver::findChild(window, "Button", "Also remove my alarm settings");
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  uidriver::click(box);
  uidriver::click(uidriver::findChild(window, "Button", "&Uninstall"));
  // The last page's button reads Close once the work is done.
  const HWND close = uidriver::waitFor(
      [&]() -> std::optional<HWND> {
        for (HWND child : uidriver::childWindows(window)) {
          if (uidriver::windowTitle(child) == "&Close" && uidriver::isEnabled(child)) return child;
        }
        return std::nullopt;
      },
      30s, "the uninstaller to finish", pid);
  uidriver::click(close, 0ms);
  ASSERT_EQ(WaitForSingleObject(uninstaller.get(), 10000), WAIT_OBJECT_0);

  EXPECT_FALSE(FileExists(folder + "\\MORVU.EXE"));
  EXPECT_FALSE(RegKeyExists(std::string("HKLM\\") + kSettingsKey));
  EXPECT_FALSE(RegKeyExists(std::string("HKCU\\") + kSettingsKey));
}

}  // namespace
}  // namespace morv::setup_test
