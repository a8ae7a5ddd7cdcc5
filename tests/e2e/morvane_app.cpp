#include "tests/e2e/morvane_app.h"

#include <gtest/gtest.h>

#include "tests/win32/run_program.h"

namespace morv::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kSettingsKey[] = "SOFTWARE\\QUORVIX\\MORV";

void SetString(HKEY root, const char* path, const std::string& name, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
}

// The one control of that class; its text changes, so it cannot be found by text.
HWND ChildOfClass(HWND parent, const std::string& windowClass) {
  for (HWND child : uidriver::childWindows(parent)) {
    if (uidriver::className(child) == windowClass) return child;
  }
  throw uidriver::DriverError("no " + windowClass + " in the main window");
}

}  // namespace

std::string BuildFolder() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.resize(folder.find_last_of("\\/"));
  return folder.substr(0, folder.find_last_of("\\/"));
}

void ResetSettings() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  StoreSetting("StartInTray", "No");
  StoreSetting("WinAmpOnStart", "No");
}

void StoreSetting(const std::string& name, const std::string& value) {
  SetString(HKEY_LOCAL_MACHINE, kSettingsKey, name, value);
}

std::string RegQuery(const std::string& key, const std::string& name) {
  const auto output = testing::RunProgram("reg query \"" + key + "\" /v \"" + name + "\"");
  const std::string marker = "    " + name + "    REG_SZ    ";
  const auto at = output.text.find(marker);
  if (at == std::string::npos) return {};
  const auto start = at + marker.size();
  return output.text.substr(start, output.text.find_first_of("\r\n", start) - start);
}

std::string ShortDate(std::chrono::year_month_day day) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(static_cast<int>(day.year()));
  t.wMonth = static_cast<WORD>(static_cast<unsigned>(day.month()));
  t.wDay = static_cast<WORD>(static_cast<unsigned>(day.day()));
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, sizeof(text));
  return text;
}

std::chrono::year_month_day Today() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return std::chrono::year{t.wYear} / t.wMonth / t.wDay;
}

MorvaneApp::MorvaneApp(std::vector<std::pair<std::string, std::string>> environment) {
  const std::string folder = BuildFolder();
  environment.emplace_back("WINAMP_STANDIN_SILENT", "1");
  process = uidriver::Process::launch({.executable = folder + "\\morvu.exe",
                                       .workingDirectory = folder,
                                       .environment = std::move(environment)});
  // The window appears once the load and the settling second are over.
  main = uidriver::waitForWindow(pid(),
                                 {.className = "MorvaneMainWindow",
                                  .title = "Morvane(tm)",
                                  .titleIsSubstring = true,
                                  .visibleOnly = true},
                                 20s);
  calendar = ChildOfClass(main, "SysMonthCal32");
  timeBox = ChildOfClass(main, "Edit");
  statusBar = ChildOfClass(main, "msctls_statusbar32");
  dateLabel = uidriver::findChild(main, 109);
  uidriver::waitUntil([this] { return uidriver::isEnabled(button("Turn &On")); }, 10s,
                      "the hand-over to end", pid());
}

MorvaneApp::~MorvaneApp() {
  if (process.isRunning()) process.terminate();
}

HWND MorvaneApp::button(const std::string& caption) const {
  return uidriver::findChild(main, "Button", caption);
}

uidriver::MessageBoxInfo MorvaneApp::answerBox(const std::string& title,
                                               const std::string& answer) {
  auto box = uidriver::waitForMessageBox(pid(), title, 10s);
  uidriver::answer(box, answer);
  return box;
}

void MorvaneApp::typeTime(const std::string& typed) {
  uidriver::click(timeBox);
  // Whatever the box holds is selected and typed over.
  uidriver::pressKey(timeBox, VK_HOME);
  uidriver::pressKey(timeBox, VK_END, {.shift = true});
  uidriver::typeText(timeBox, typed);
  uidriver::pressKey(timeBox, VK_TAB, {}, 0ms);
}

void MorvaneApp::exit() {
  uidriver::click(button("E&xit"), 0ms);
  EXPECT_EQ(process.waitForExit(10s), 0u);
}

}  // namespace morv::e2e
