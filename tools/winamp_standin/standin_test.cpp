// Drives winamp-standin.exe as a separate process, the way the alarm clock drives the
// real player. Only what the Windows and end-to-end tests do not already lean on is
// checked here: the log format, the misbehaviour switches, the way out, and hiding.
// The message numbers are written out on purpose, independent of the player's own
// constants, so a typo there cannot hide.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Settings = std::vector<std::pair<std::string, std::string>>;

constexpr WPARAM kQuit = 40001;
constexpr WPARAM kPlay = 40045;

struct LogLine {
  std::string name;
  std::string note;
};

// The format README.md promises, which other tools parse.
std::optional<LogLine> ParseLogLine(const std::string& text) {
  static const std::regex kLine(
      R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} epoch_ms=(\d+) pid=(\d+) msg=(\d+) )"
      R"(wparam=(\d+) lparam=(-?\d+) name=([A-Z]+) state=([013]) volume=(\d+)(?: (.*))?$)");
  std::smatch m;
  if (!std::regex_match(text, m, kLine)) return std::nullopt;
  return LogLine{m[6], m[9]};
}

LRESULT Send(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(window, msg, wparam, lparam, SMTO_NORMAL, 10000, &reply)) return -1;
  return static_cast<LRESULT>(reply);
}

// WM_USER with lParam 104: 0 stopped, 1 playing, 3 paused.
LRESULT AskState(HWND window) { return Send(window, 1024, 0, 104); }

template <typename Predicate>
bool WaitFor(Predicate done) {
  for (const auto deadline = Clock::now() + 15s; !done(); Sleep(50)) {
    if (Clock::now() > deadline) return false;
  }
  return true;
}

class StandinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    log_path_ = std::string(temp) + "standin-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
    DeleteFileA(log_path_.c_str());
  }

  // Every line the player wrote, whatever the test was about, must parse.
  void TearDown() override {
    if (player_ && TerminateProcess(player_.get(), 99)) WaitForSingleObject(player_.get(), 10000);
    const bool failed_before = HasFailure();
    std::ifstream file(log_path_);
    for (std::string line; std::getline(file, line);) {
      EXPECT_TRUE(ParseLogLine(line)) << "unparsable log line: " << line;
      if (failed_before) std::printf("  log: %s\n", line.c_str());
    }
    file.close();
    DeleteFileA(log_path_.c_str());
  }

  // Starts the player found next to this program, with a private log, mute unless asked
  // otherwise, and none of this process's own stand-in switches; waits for its window.
  HWND Start(const Settings& settings = {}, WORD show = SW_SHOWNORMAL) {
    for (const char* name :
         {"STATE", "IGNORE_QUIT", "APPEAR_DELAY_MS", "HANG_MS", "HANG_ON", "VANISH_ON_ASK"}) {
      SetEnvironmentVariableA((std::string("WINAMP_STANDIN_") + name).c_str(), nullptr);
    }
    SetEnvironmentVariableA("WINAMP_STANDIN_LOG", log_path_.c_str());
    SetEnvironmentVariableA("WINAMP_STANDIN_SILENT", "1");
    for (const auto& [name, value] : settings) SetEnvironmentVariableA(name.c_str(), value.c_str());
    // Without an application name, CreateProcess looks in this program's folder first.
    char command_line[] = "winamp-standin.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &info))
        << "cannot start the player: error " << GetLastError();
    if (info.hThread) CloseHandle(info.hThread);
    player_.reset(info.hProcess);

    // FindWindow would hand back any player, and a test may run beside another.
    HWND window = nullptr;
    WaitFor([&] {
      while ((window = FindWindowExA(nullptr, window, "Winamp v1.x", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == info.dwProcessId) return true;
      }
      return WaitForSingleObject(player_.get(), 0) != WAIT_TIMEOUT;
    });
    return window;
  }

  // The events of these names, in order, as the player logged them.
  std::vector<LogLine> Log(const std::set<std::string>& names) const {
    std::vector<LogLine> lines;
    std::ifstream file(log_path_);
    for (std::string raw; std::getline(file, raw);) {
      auto line = ParseLogLine(raw);
      if (line && names.count(line->name)) lines.push_back(*line);
    }
    return lines;
  }

  std::string log_path_;
  morv::win32::UniqueProcessHandle player_;
};

TEST_F(StandinTest, QuitClosesTheWindowThenEndsTheProcess) {
  // Audible where there is a sound device, so quitting also has to let go of it.
  HWND window = Start({{"WINAMP_STANDIN_STATE", "playing"}, {"WINAMP_STANDIN_SILENT", ""}});
  ASSERT_NE(window, nullptr);

  Send(window, WM_COMMAND, kQuit, 0);
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(WaitForSingleObject(player_.get(), 15000), WAIT_OBJECT_0);

  std::vector<std::string> order;
  for (const LogLine& line : Log({"QUIT", "DESTROY", "EXIT"})) order.push_back(line.name);
  EXPECT_EQ(order, (std::vector<std::string>{"QUIT", "DESTROY", "EXIT"}));
}

TEST_F(StandinTest, IgnoreQuitKeepsItRunningAndAnswering) {
  HWND window = Start({{"WINAMP_STANDIN_IGNORE_QUIT", "1"}});
  ASSERT_NE(window, nullptr);
  Send(window, WM_COMMAND, kQuit, 0);
  EXPECT_EQ(WaitForSingleObject(player_.get(), 1500), WAIT_TIMEOUT);
  EXPECT_TRUE(IsWindow(window));
  Send(window, WM_COMMAND, kPlay, 0);
  EXPECT_EQ(AskState(window), 1);
  auto quits = Log({"QUIT"});
  ASSERT_EQ(quits.size(), 1u);
  EXPECT_NE(quits[0].note.find("ignored"), std::string::npos);
}

TEST_F(StandinTest, AppearDelayHoldsTheWindowBack) {
  const auto started = Clock::now();
  HWND window = Start({{"WINAMP_STANDIN_APPEAR_DELAY_MS", "2000"}});
  ASSERT_NE(window, nullptr);
  EXPECT_GE(Clock::now() - started, 2000ms);
  EXPECT_EQ(AskState(window), 0);
}

TEST_F(StandinTest, KeepsPlayingWhileHiddenAndShowsAgainOnShowDefault) {
  HWND window = Start({}, SW_SHOWMINIMIZED);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && IsIconic(window); }));

  Send(window, WM_COMMAND, kPlay, 0);
  ShowWindow(window, SW_HIDE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));
  EXPECT_EQ(AskState(window), 1);
  ShowWindow(window, SW_SHOWDEFAULT);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_EQ(AskState(window), 1);

  // Someone else's SW_SHOWDEFAULT restores the window to normal, and since that
  // changes its state, Wine sends no WM_SHOWWINDOW for it: the position lines tell.
  std::vector<std::string> visibility;
  for (const LogLine& line : Log({"WINDOWPOS"})) visibility.push_back(line.note);
  EXPECT_EQ(visibility, (std::vector<std::string>{"visible=1 iconic=1", "visible=0 iconic=1",
                                                  "visible=1 iconic=0"}));
}

}  // namespace
