#pragma once
// Morvane started for real, as its own process, with the handles of the controls an
// end-to-end test drives; and the settings it starts from.
#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "tools/uidriver/uidriver.h"

namespace morv::e2e {

// The folder holding morvu.exe: the parent of the test's own folder.
std::string BuildFolder();

// The program's settings as a first start would find them: options "No", nothing saved.
void ResetSettings();
void StoreSetting(const std::string& name, const std::string& value);
// What Windows' own reg.exe says a value holds; empty when it finds none.
std::string RegQuery(const std::string& key, const std::string& name);
// The locale's short date of a day, as the program renders it.
std::string ShortDate(std::chrono::year_month_day day);
std::chrono::year_month_day Today();

class MorvaneApp {
 public:
  explicit MorvaneApp(std::vector<std::pair<std::string, std::string>> environment = {});
  ~MorvaneApp();

  DWORD pid() const { return process.pid(); }
  HWND button(const std::string& caption) const;
  std::string status() const { return uidriver::statusBarText(statusBar); }
  std::string timeText() const { return uidriver::windowText(timeBox); }
  // Waits for a box with this title, checks its text, and presses `answer`.
  uidriver::MessageBoxInfo answerBox(const std::string& title, const std::string& answer);
  // Clicks the time box, types, and leaves it with Tab.
  void typeTime(const std::string& typed);
  // Exit, and the process ends.
  void exit();

  uidriver::Process process;
  HWND main = nullptr;
  HWND calendar = nullptr;
  HWND timeBox = nullptr;
  HWND statusBar = nullptr;
  HWND dateLabel = nullptr;
};

}  // namespace morv::e2e
