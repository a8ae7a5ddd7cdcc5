// Drives winamp-standin.exe as a separate process, the way the alarm clock drives the
// real player. Only what the Windows and end-to-end tests do not already lean on is
// checked here: the log format, the misbehaviour switches, the way out, and hiding.
// The message numbers are written out on purpose, independent of the player's own
// constants, so a typo there cannot hide.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr UINT kUser = 1024;
constexpr LPARAM kIsPlaying = 104;
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

struct Player {
  morv::win32::UniqueProcessHandle process;
  DWORD pid = 0;
};

// FindWindow would hand back any player, and a test may run beside another.
HWND PlayerWindowOf(DWORD pid) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kPlayerClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid) return window;
  }
  return nullptr;
}

std::optional<LRESULT> Send(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(window, msg, wparam, lparam, SMTO_NORMAL, 10000, &reply)) return {};
  return static_cast<LRESULT>(reply);
}

std::optional<LRESULT> AskState(HWND window) { return Send(window, kUser, 0, kIsPlaying); }

template <typename Predicate>
bool WaitFor(Predicate done) {
  const auto deadline = Clock::now() + 15s;
  while (!done()) {
    if (Clock::now() > deadline) return false;
    Sleep(50);
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

  // Every line any player wrote, whatever the test was about, must parse.
  void TearDown() override {
    for (Player& player : players_) {
      if (player.process && WaitForSingleObject(player.process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(player.process.get(), 99);
        WaitForSingleObject(player.process.get(), 10000);
      }
    }
    const bool failed_before = HasFailure();
    std::ifstream file(log_path_);
    for (std::string line; std::getline(file, line);) {
      EXPECT_TRUE(ParseLogLine(line)) << "unparsable log line: " << line;
      if (failed_before) std::printf("  log: %s\n", line.c_str());
    }
    file.close();
    DeleteFileA(log_path_.c_str());
  }

  // A player with a private log, mute unless asked otherwise, and with none of this
  // process's own stand-in switches.
  Player& Start(const std::map<std::string, std::string>& overrides = {},
                WORD show = SW_SHOWNORMAL) {
    std::map<std::string, std::string> env{{"WINAMP_STANDIN_LOG", log_path_},
                                           {"WINAMP_STANDIN_SILENT", "1"}};
    for (const auto& [name, value] : overrides) env[name] = value;
    std::string block;
    char* inherited = GetEnvironmentStringsA();
    for (const char* entry = inherited; *entry != '\0'; entry += std::strlen(entry) + 1) {
      if (std::string_view(entry).rfind("WINAMP_STANDIN_", 0) != 0) block.append(entry) += '\0';
    }
    FreeEnvironmentStringsA(inherited);
    for (const auto& [name, value] : env) block.append(name + "=" + value) += '\0';
    block += '\0';

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command_line(self);
    command_line =
        "\"" + command_line.substr(0, command_line.find_last_of("\\/")) + "\\winamp-standin.exe\"";
    STARTUPINFOA startup{.cb = sizeof(STARTUPINFOA)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    Player& player = players_.emplace_back();
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, block.data(),
                        nullptr, &startup, &info)) {
      ADD_FAILURE() << "cannot start " << command_line << ": error " << GetLastError();
      return player;
    }
    CloseHandle(info.hThread);
    player.process.reset(info.hProcess);
    player.pid = info.dwProcessId;
    return player;
  }

  HWND WaitForWindow(const Player& player) {
    HWND window = nullptr;
    WaitFor([&] {
      window = PlayerWindowOf(player.pid);
      return window || !player.process ||
             WaitForSingleObject(player.process.get(), 0) != WAIT_TIMEOUT;
    });
    EXPECT_NE(window, nullptr) << "no player window";
    return window;
  }

  // The events of this name (all without one), in order, as the player logged them.
  std::vector<LogLine> Log(const std::string& name = "") const {
    std::vector<LogLine> lines;
    std::ifstream file(log_path_);
    for (std::string raw; std::getline(file, raw);) {
      auto line = ParseLogLine(raw);
      if (line && (name.empty() || line->name == name)) lines.push_back(*line);
    }
    return lines;
  }

  std::string log_path_;
  std::deque<Player> players_;  // Start hands out references that must stay valid
};

TEST_F(StandinTest, QuitClosesTheWindowThenEndsTheProcess) {
  // Audible where there is a sound device, so quitting also has to let go of it.
  Player& player = Start({{"WINAMP_STANDIN_STATE", "playing"}, {"WINAMP_STANDIN_SILENT", ""}});
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);

  Send(window, WM_COMMAND, kQuit, 0);
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(WaitForSingleObject(player.process.get(), 15000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(player.process.get(), &code);
  EXPECT_EQ(code, 0u);

  std::vector<std::string> order;
  for (const LogLine& line : Log()) {
    if (line.name == "QUIT" || line.name == "DESTROY" || line.name == "EXIT") {
      order.push_back(line.name);
    }
  }
  EXPECT_EQ(order, (std::vector<std::string>{"QUIT", "DESTROY", "EXIT"}));
}

TEST_F(StandinTest, IgnoreQuitKeepsItRunningAndAnswering) {
  Player& player = Start({{"WINAMP_STANDIN_IGNORE_QUIT", "1"}});
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);
  Send(window, WM_COMMAND, kQuit, 0);
  EXPECT_EQ(WaitForSingleObject(player.process.get(), 1500), WAIT_TIMEOUT);
  EXPECT_TRUE(IsWindow(window));
  Send(window, WM_COMMAND, kPlay, 0);
  EXPECT_EQ(AskState(window), 1);
  auto quits = Log("QUIT");
  ASSERT_EQ(quits.size(), 1u);
  EXPECT_NE(quits[0].note.find("ignored"), std::string::npos);
}

TEST_F(StandinTest, AppearDelayHoldsTheWindowBack) {
  const auto started = Clock::now();
  Player& player = Start({{"WINAMP_STANDIN_APPEAR_DELAY_MS", "2000"}});
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);
  EXPECT_GE(Clock::now() - started, 2000ms);
  EXPECT_EQ(AskState(window), 0);
}

TEST_F(StandinTest, KeepsPlayingWhileHiddenAndShowsAgainOnShowDefault) {
  Player& player = Start({}, SW_SHOWMINIMIZED);
  HWND window = WaitForWindow(player);
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
  for (const LogLine& line : Log("WINDOWPOS")) visibility.push_back(line.note);
  EXPECT_EQ(visibility, (std::vector<std::string>{"visible=1 iconic=1", "visible=0 iconic=1",
                                                  "visible=1 iconic=0"}));
}

}  // namespace
