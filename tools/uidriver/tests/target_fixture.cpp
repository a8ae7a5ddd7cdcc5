#include "tools/uidriver/tests/target_fixture.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>

namespace morv::uidriver::testing {

using namespace std::chrono_literals;

std::string TargetTest::toolsDirectory() {
  WCHAR self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return narrow(std::filesystem::path(self).parent_path().wstring());
}

std::string TargetTest::tempPath(const std::string& name) {
  static std::atomic<int> counter{0};
  WCHAR directory[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, directory);
  return narrow(directory) + "uidriver-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++counter) + "-" + name;
}

void TargetTest::launch(std::vector<std::string> arguments,
                        std::vector<std::pair<std::string, std::string>> environment,
                        std::string workingDirectory) {
  logPath_ = tempPath("target.log");
  environment.emplace_back("UIDRIVER_TARGET_LOG", logPath_);
  process_ = Process::launch({.executable = toolsDirectory() + "\\uidriver_target.exe",
                              .arguments = std::move(arguments),
                              .workingDirectory = std::move(workingDirectory),
                              .environment = std::move(environment)});
  main_ = waitForWindow(pid(), {.className = "UidriverTarget", .visibleOnly = true}, 10s);
}

void TargetTest::TearDown() {
  process_.terminate();
  if (!logPath_.empty()) std::filesystem::remove(std::filesystem::path(widen(logPath_)));
}

std::vector<std::string> TargetTest::log() const {
  std::vector<std::string> lines;
  std::ifstream in(std::filesystem::path(widen(logPath_)));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool TargetTest::logged(const std::string& line) const {
  const auto lines = log();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void TargetTest::waitForLog(const std::string& line, std::chrono::milliseconds timeout) const {
  waitUntil([&] { return logged(line); }, timeout, "the target to log '" + line + "'", pid());
}

}  // namespace morv::uidriver::testing
