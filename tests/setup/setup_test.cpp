// The setup under Wine, run silently as an administrator would: what an install puts
// in place, the installed program and its guide, and what an uninstall leaves behind.
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/fakes/fake_text.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/run_program.h"

namespace morv::setup_test {
namespace {

using namespace std::chrono_literals;
using driver::BuildFolder;  // holds morvu.exe, MORVHELP.DOC and morvane-setup.exe
using driver::kRunKey;
using driver::kSettingsKey;
using driver::RegQueryValue;
using driver::RegValue;

constexpr char kUninstallKey[] =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane";
using win32::UniqueProcessHandle;

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

void WaitFor(HANDLE process, const std::string& what, std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    throw std::runtime_error(what + " still ran after " + std::to_string(timeout.count()) + " ms");
  }
}

// Processes whose parent is one of `parents`, found in one snapshot.
std::vector<DWORD> ChildrenOf(const std::set<DWORD>& parents) {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  const UniqueProcessHandle owner(snapshot);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (parents.count(entry.th32ParentProcessID) && !parents.count(entry.th32ProcessID)) {
      children.push_back(entry.th32ProcessID);
    }
  }
  return children;
}

// Starts a command line and leaves it running.
UniqueProcessHandle Start(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    throw std::runtime_error("could not start " + commandLine + ": error " +
                             std::to_string(GetLastError()));
  }
  CloseHandle(info.hThread);
  return UniqueProcessHandle(info.hProcess);
}

std::string SetupProgram() { return BuildFolder() + "\\morvane-setup.exe"; }
std::string QuorvixFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Quorvix"; }
// The 64-bit Program Files\Quorvix\MORV.
std::string InstallFolder() { return QuorvixFolder() + "\\MORV"; }
std::string StartMenuShortcut() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\Morvane.lnk"; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileContents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

// Runs a command line to its end and gives its exit code; throws when it outlives
// `timeout`. With `children`, waits for the programs it started too: an uninstaller
// run without _?= copies itself away, starts the copy and returns at once.
DWORD RunToEnd(const std::string& commandLine, bool children = false,
               std::chrono::milliseconds timeout = 60s) {
  const UniqueProcessHandle process = Start(commandLine);
  std::set<DWORD> family{GetProcessId(process.get())};
  WaitFor(process.get(), commandLine, timeout);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  // A child is started before its parent ends, so once the parent has ended one
  // more look finds it; its own children likewise.
  for (auto found = ChildrenOf(family); children && !found.empty(); found = ChildrenOf(family)) {
    for (DWORD child : found) {
      family.insert(child);
      const UniqueProcessHandle handle(OpenProcess(SYNCHRONIZE, FALSE, child));
      if (handle) WaitFor(handle.get(), "a program started by " + commandLine, timeout);
    }
  }
  return code;
}

bool RegKeyExists(const std::string& key) {
  return driver::RunProgram("reg query \"" + key + "\"").exitCode == 0;
}

// Uninstalls and removes whatever an install, a test or an interrupted run left:
// files, folders, shortcut, Run values, settings and the Uninstall entry.
void RemoveEverything() {
  const std::string folder = InstallFolder();
  if (Exists(folder + "\\uninstall.exe")) {
    RunToEnd("\"" + folder + "\\uninstall.exe\" /S /REMOVESETTINGS _?=" + folder);
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
  RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane");
}

constexpr DWORD kAbortedBySetup = 2;  // NSIS's exit code when setup itself gave up

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }
DWORD Install() { return RunToEnd(Quoted(SetupProgram()) + " /S"); }
std::string Uninstaller() { return Quoted(InstallFolder() + "\\uninstall.exe"); }

// The text of WordPad's document once it shows the guide, whichever program started it;
// WordPad is ended then, or it would outlive the test.
std::string GuideShownInWordPad() {
  const HWND window = uidriver::waitFor(
      []() -> std::optional<HWND> {
        HWND found = FindWindowA("WORDPADTOP", nullptr);
        const bool loaded = found && IsWindowVisible(found) &&
                            fakes::Lower(uidriver::windowTitle(found)).find("morvhelp.doc") !=
                                std::string::npos;  // untitled until the file is in
        return loaded ? std::optional<HWND>(found) : std::nullopt;
      },
      30s, "WordPad showing MORVHELP.DOC");
  std::string text;
  for (HWND child : uidriver::childWindows(window)) {
    if (fakes::Lower(uidriver::className(child)).rfind("richedit", 0) == 0) {
      text = uidriver::windowText(child, 5s);
    }
  }
  const win32::UniqueProcessHandle process(
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, uidriver::processOf(window)));
  TerminateProcess(process.get(), 0);
  WaitForSingleObject(process.get(), 10000);
  return text;
}

// What Morvane leaves in the registry once it has been used for a while, under both
// hives: settings, a saved alarm, start with Windows switched on or off.
void UseMorvaneForAWhile() {
  auto write = [](HKEY root, const char* key, const char* name, const std::string& value) {
    RegSetKeyValueA(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
  };
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    write(root, kSettingsKey, "StartInTray", "Yes");
    write(root, kSettingsKey, "SettingsSaved", "Yes");
    write(root, kSettingsKey, "Time:", "7:05 AM");
  }
  write(HKEY_LOCAL_MACHINE, kRunKey, "Morvane", "c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE");
  write(HKEY_CURRENT_USER, kRunKey, "Morvane", "-c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE");
  write(HKEY_LOCAL_MACHINE, "SOFTWARE\\QUORVIX\\OTHER", "Kept", "Yes");
}

void ExpectSettingsRemoved() {
  EXPECT_FALSE(RegKeyExists(std::string("HKLM\\") + kSettingsKey));
  EXPECT_FALSE(RegKeyExists(std::string("HKCU\\") + kSettingsKey));
  EXPECT_FALSE(RegKeyExists("HKCU\\SOFTWARE\\QUORVIX")) << "left empty, so removed";
  EXPECT_TRUE(RegQueryValue("HKLM\\SOFTWARE\\QUORVIX\\OTHER", "Kept")) << "not Morvane's";
}

// The prefix is shared with the other Windows tests: each test starts from an installed
// Morvane and leaves a machine without it.
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

TEST_F(SetupTest, InstallPutsAllInPlaceAndTheRunningProgramOpensItsGuideAndBlocksSetup) {
  const std::string folder = InstallFolder();
  EXPECT_EQ(FileContents(folder + "\\MORVU.EXE"), FileContents(BuildFolder() + "\\morvu.exe"));
  EXPECT_EQ(FileContents(folder + "\\MORVHELP.DOC"),
            FileContents(BuildFolder() + "\\MORVHELP.DOC"));
  EXPECT_TRUE(Exists(folder + "\\uninstall.exe"));
  EXPECT_TRUE(Exists(StartMenuShortcut()));
  const std::string uninstaller = Uninstaller();
  const std::pair<const char*, std::string> expected[] = {
      {"DisplayName", "Morvane"},       {"DisplayVersion", "1.4.4"},
      {"Publisher", "Quorvix"},         {"DisplayIcon", folder + "\\MORVU.EXE,0"},
      {"UninstallString", uninstaller}, {"QuietUninstallString", uninstaller + " /S"},
  };
  for (const auto& [name, data] : expected) {
    const auto found = RegQueryValue(kUninstallKey, name).value_or(RegValue{});
    EXPECT_EQ(found.type + " " + found.data, "REG_SZ " + data) << name;
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

  {
    // Its first start: no settings key at all, so the first-start defaults are written.
    driver::MorvaneApp morvane({.executable = folder + "\\MORVU.EXE"});
    EXPECT_EQ(driver::RegQuery(driver::kSettingsPath, "StartInTray"), "No");
    EXPECT_EQ(driver::RegQuery(driver::kSettingsPath, "WinAmpOnStart"), "No");
    // F1 opens the guide beside the program in WordPad, read as rich text, not as its
    // source, escaped paths whole.
    uidriver::pressKey(morvane.main, VK_F1);
    const std::string text = GuideShownInWordPad();
    for (const char* source : {"{\\rtf", "\\par", "\\b0", "\\'"}) {
      EXPECT_EQ(text.find(source), std::string::npos) << source;
    }
    for (const char* shown : {"What Morvane does", "C:\\Program Files\\WinAmp\\WinAmp.exe",
                              "Also remove my alarm settings"}) {
      EXPECT_NE(text.find(shown), std::string::npos) << shown;
    }
    // Without the guide the user is told so and nothing is started.
    ASSERT_TRUE(DeleteFileA((folder + "\\MORVHELP.DOC").c_str()));
    uidriver::pressKey(morvane.main, VK_F1, {}, 0ms);
    auto box = uidriver::waitForMessageBox(morvane.pid(), "Morvane Help", 10s);
    EXPECT_EQ(box.text, "Document Could Not Be Found!");
    EXPECT_EQ(box.icon, uidriver::BoxIcon::kError);
    uidriver::answer(box, "OK");
    EXPECT_EQ(FindWindowA("WORDPADTOP", nullptr), nullptr);

    EXPECT_EQ(Install(), kAbortedBySetup) << "setup must not replace a running program";
    EXPECT_EQ(RunToEnd(uninstaller + " /S _?=" + folder), kAbortedBySetup);
    EXPECT_TRUE(Exists(folder + "\\MORVU.EXE"));
  }  // Morvane ends here
  EXPECT_EQ(Install(), 0u);
}

TEST_F(SetupTest, UninstallLeavesNothingBehindButTheSettingsUnlessAskedToSilentlyOrInItsBox) {
  UseMorvaneForAWhile();
  // As Windows' list of programs does it, without _?=: the uninstaller hands over
  // to a copy of itself and returns at once.
  const auto quiet = RegQueryValue(kUninstallKey, "QuietUninstallString");
  ASSERT_TRUE(quiet);
  EXPECT_EQ(RunToEnd(quiet->data, /*children=*/true), 0u);

  const std::string folder = InstallFolder();
  for (const char* file : {"MORVU.EXE", "MORVHELP.DOC", "uninstall.exe"}) {
    EXPECT_FALSE(Exists(folder + "\\" + file)) << file;
  }
  EXPECT_FALSE(Exists(QuorvixFolder())) << "nothing else of Quorvix was there";
  EXPECT_FALSE(Exists(StartMenuShortcut()));
  for (const char* hive : {"HKLM\\", "HKCU\\"}) {
    EXPECT_FALSE(RegQueryValue(hive + std::string(kRunKey), "Morvane")) << hive;
    EXPECT_EQ(RegQueryValue(std::string(hive) + kSettingsKey, "Time:").value_or(RegValue{}).data,
              "7:05 AM")
        << hive << ": a reinstall must find the saved alarm";
  }
  EXPECT_FALSE(RegKeyExists(kUninstallKey));

  ASSERT_EQ(Install(), 0u);
  EXPECT_EQ(RunToEnd(Uninstaller() + " /S /REMOVESETTINGS _?=" + folder), 0u);
  ExpectSettingsRemoved();

  // The uninstaller's own box to remove the settings starts unticked; ticked, it does.
  UseMorvaneForAWhile();
  ASSERT_EQ(Install(), 0u);
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
  EXPECT_FALSE(Exists(folder + "\\MORVU.EXE"));
  ExpectSettingsRemoved();
}

}  // namespace
}  // namespace morv::setup_test
