// The setup under Wine, run silently as an administrator would: what an install puts in place,
// the installed program and its guide, and what an uninstall leaves behind.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/fakes/fake_text.h"
#include "tools/morvane_driver/morvane_app.h"
#include "win32/unique_handle.h"

namespace morv::setup_test {
namespace {

using namespace std::chrono_literals;
using driver::kRunKey;
using driver::kSettingsKey;
using driver::RegText;
using uidriver::buildFolder;  // holds morvu.exe, MORVHELP.DOC and morvane-setup.exe

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane";
constexpr DWORD kAbortedBySetup = 2;  // NSIS's exit code when setup itself gave up

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}
std::string QuorvixFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Quorvix"; }
std::string InstallFolder() { return QuorvixFolder() + "\\MORV"; }  // the 64-bit Program Files
std::string StartMenuShortcut() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\Morvane.lnk"; }
std::string Uninstaller() { return "\"" + InstallFolder() + "\\uninstall.exe\""; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileContents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  const bool exists = !RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened);
  const win32::UniqueHkey owned(opened);
  return exists;
}

DWORD RunToEnd(const std::string& program, const std::string& arguments) {
  return uidriver::Process::launch({.executable = program, .arguments = arguments})
      .waitForExit(60s);
}

DWORD Install() { return RunToEnd(buildFolder() + "\\morvane-setup.exe", "/S"); }

// Uninstalls and removes whatever an install, a test or an interrupted run left: files,
// folders, shortcut, Run values, settings and the Uninstall entry.
void RemoveEverything() {
  const std::string folder = InstallFolder();
  if (Exists(folder + "\\uninstall.exe")) {
    RunToEnd(folder + "\\uninstall.exe", "/S /REMOVESETTINGS _?=" + folder);
  }
  for (const char* file : {"uninstall.exe", "MORVU.EXE", "MORVHELP.DOC"}) {
    DeleteFileA((folder + "\\" + file).c_str());
  }
  RemoveDirectoryA(folder.c_str());
  RemoveDirectoryA(QuorvixFolder().c_str());
  DeleteFileA(StartMenuShortcut().c_str());
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegDeleteKeyValueA(root, kRunKey, "Morvane");
    RegDeleteTreeA(root, kSettingsKey);
    RegDeleteKeyA(root, "SOFTWARE\\QUORVIX");  // only when nothing else is left in it
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
}

// The text of WordPad's document once it shows the guide, whichever program started it;
// WordPad is ended then, or it would outlive the test.
std::string GuideShownInWordPad() {
  const HWND window = uidriver::waitUntil(
      [] {
        HWND found = FindWindowA("WORDPADTOP", nullptr);  // untitled until the file is in
        const std::string title = found ? fakes::Lower(uidriver::windowTitle(found)) : "";
        return IsWindowVisible(found) && title.find("morvhelp.doc") != std::string::npos ? found
                                                                                         : nullptr;
      },
      30s, "WordPad showing MORVHELP.DOC");
  std::string text;
  for (HWND child : uidriver::childWindows(window)) {
    if (fakes::Lower(uidriver::className(child)).rfind("richedit", 0) == 0) {
      text = uidriver::windowText(child, 5s);
    }
  }
  driver::EndProcess(uidriver::processOf(window));
  return text;
}

// What Morvane leaves in the registry once it has been used for a while, under both hives: a
// saved alarm, start with Windows switched on or off.
void UseMorvaneForAWhile() {
  const auto write = [](HKEY root, const char* key, const char* name, const std::string& value) {
    RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
  };
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    write(root, kSettingsKey, "Time:", "7:05 AM");
  }
  write(HKEY_LOCAL_MACHINE, kRunKey, "Morvane", "c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE");
  write(HKEY_CURRENT_USER, kRunKey, "Morvane", "-c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE");
  write(HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORVIX\\OTHER", "Kept", "Yes");
}

// The prefix is shared with the other Windows tests: the test starts from an installed Morvane
// and leaves a machine without it.
class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveEverything();
    ASSERT_EQ(Install(), 0u);
  }
  void TearDown() override {
    RemoveEverything();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORVIX\\OTHER");
  }
};

TEST_F(SetupTest, InstallPutsAllInPlaceTheProgramBlocksSetupAndUninstallKeepsOnlyTheSettings) {
  const std::string folder = InstallFolder();
  EXPECT_EQ(FileContents(folder + "\\MORVU.EXE"), FileContents(buildFolder() + "\\morvu.exe"));
  EXPECT_EQ(FileContents(folder + "\\MORVHELP.DOC"),
            FileContents(buildFolder() + "\\MORVHELP.DOC"));
  EXPECT_TRUE(Exists(StartMenuShortcut()));
  // Strings, each of them, in the 64-bit view where Windows' list of programs looks.
  const std::pair<const char*, std::string> expected[] = {
      {"DisplayName", "Morvane"},         {"DisplayVersion", "1.4.4"},
      {"Publisher", "Quorvix"},           {"DisplayIcon", folder + "\\MORVU.EXE,0"},
      {"UninstallString", Uninstaller()}, {"QuietUninstallString", Uninstaller() + " /S"},
  };
  for (const auto& [name, data] : expected) {
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, name), data) << name;
  }
  EXPECT_FALSE(
      KeyExists(HKEY_LOCAL_MACHINE,
                "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane"));
  // In KiB, as Windows' list of programs shows it: at least the program itself.
  DWORD size = 0;
  DWORD bytes = sizeof(size);
  ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize", RRF_RT_REG_DWORD,
                         nullptr, &size, &bytes),
            ERROR_SUCCESS);
  EXPECT_GE(size, FileContents(folder + "\\MORVU.EXE").size() / 1024);

  {
    driver::MorvaneApp morvane({.executable = folder + "\\MORVU.EXE"});
    // F1 opens the guide beside the program in WordPad, read as rich text, not as its source,
    // escaped paths whole.
    uidriver::pressKey(morvane.main, VK_F1);
    const std::string text = GuideShownInWordPad();
    for (const char* source : {"{\\rtf", "\\par", "\\b0", "\\'"}) {
      EXPECT_EQ(text.find(source), std::string::npos) << source;
    }
    for (const char* shown : {"What Morvane does", "C:\\Program Files\\WinAmp\\WinAmp.exe",
                              "Also remove my alarm settings"}) {
      EXPECT_NE(text.find(shown), std::string::npos) << shown;
    }

    EXPECT_EQ(Install(), kAbortedBySetup) << "setup must not replace a running program";
    EXPECT_EQ(RunToEnd(folder + "\\uninstall.exe", "/S _?=" + folder), kAbortedBySetup);
    EXPECT_TRUE(Exists(folder + "\\MORVU.EXE"));
  }  // Morvane ends here
  EXPECT_EQ(Install(), 0u);

  // The uninstall leaves nothing behind but the settings. As Windows' list of programs runs it,
  // without _?=, the uninstaller hands over to a copy of itself and returns at once; the copy
  // takes the Uninstall entry away last.
  UseMorvaneForAWhile();
  EXPECT_EQ(RunToEnd(folder + "\\uninstall.exe", "/S"), 0u);
  uidriver::waitUntil([] { return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, 60s,
                      "the uninstaller's copy to finish");
  for (const char* file : {"MORVU.EXE", "MORVHELP.DOC", "uninstall.exe"}) {
    EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
  }
  EXPECT_FALSE(Exists(QuorvixFolder())) << "nothing else of Quorvix was there";
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_FALSE(RegText(root, kRunKey, "Morvane"));
    EXPECT_EQ(RegText(root, kSettingsKey, "Time:"), "7:05 AM")
        << "a reinstall must find the saved alarm";
  }

  // Told to with /REMOVESETTINGS, it takes the settings along; so does its own box, which
  // starts unticked, once ticked.
  ASSERT_EQ(Install(), 0u);
  EXPECT_EQ(RunToEnd(folder + "\\uninstall.exe", "/S /REMOVESETTINGS _?=" + folder), 0u);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
  UseMorvaneForAWhile();
  ASSERT_EQ(Install(), 0u);
  uidriver::Process uninstaller = uidriver::Process::launch(
      {.executable = folder + "\\uninstall.exe", .arguments = "_?=" + folder});
  const HWND window =
      uidriver::waitForWindow(uninstaller.pid(), "#32770", 20s, "Morvane Uninstall");
  const HWND box = uidriver::findChild(window, "Button", "Also remove my alarm settings");
  EXPECT_FALSE(uidriver::isChecked(box));
  uidriver::setChecked(box, true);
  uidriver::click(uidriver::findChild(window, "Button", "&Uninstall"));
  // The last page's button reads Close once the work is done.
  const HWND close = uidriver::waitUntil(
      [&] {
        HWND found = FindWindowExA(window, nullptr, "Button", "&Close");
        return uidriver::isEnabled(found) ? found : nullptr;
      },
      30s, "the uninstaller to finish", uninstaller.pid());
  uidriver::click(close, 0ms);
  uninstaller.waitForExit(10s);
  EXPECT_FALSE(Exists(folder + "\\MORVU.EXE"));
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_FALSE(KeyExists(root, kSettingsKey));
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\QUORVIX")) << "left empty, so removed";
  EXPECT_TRUE(RegText(HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORVIX\\OTHER", "Kept")) << "not Morvane's";
}

}  // namespace
}  // namespace morv::setup_test
