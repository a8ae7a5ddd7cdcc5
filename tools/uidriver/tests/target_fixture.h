#pragma once
// Starts uidriver_target.exe (built next to the tests) for each test, with its own log file,
// and reads that log back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "tools/uidriver/uidriver.h"

namespace morv::uidriver::testing {

class TargetTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Starts the target and waits for its main window.
  void launch(std::vector<std::string> arguments = {},
              std::vector<std::pair<std::string, std::string>> environment = {},
              std::string workingDirectory = {});

  std::vector<std::string> log() const;
  bool logged(const std::string& line) const;
  void waitForLog(const std::string& line,
                  std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) const;
  HWND control(int id) const { return findChild(main_, id); }
  DWORD pid() const { return process_.pid(); }

  static std::string toolsDirectory();
  static std::string tempPath(const std::string& name);

  Process process_;
  HWND main_ = nullptr;
  std::string logPath_;
};

// Control ids of the target (see test_target/main.cpp).
enum TargetId : int {
  kAsk = 1001,
  kConfirm = 1002,
  kDisabled = 1003,
  kChain = 1004,
  kPopup = 1005,
  kBusy = 1006,
  kTime = 1010,
  kEdit = 1011,
  kCalendar = 1012,
  kStatus = 1013,
};

}  // namespace morv::uidriver::testing
