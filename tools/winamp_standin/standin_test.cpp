// Drives winamp-standin.exe the way the alarm clock drives the real player: a
// separate process, found by its window class, spoken to with cross-process window
// messages. The message numbers are written out here on purpose, independent of
// the player's own constants, so a typo there cannot hide.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tools/winamp_standin/chime.h"
#include "tools/winamp_standin/standin_config.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Env = std::map<std::string, std::string>;

constexpr char kPlayerClass[] = "Winamp v1.x";
constexpr UINT kUser = 1024;
constexpr LPARAM kIsPlaying = 104;
constexpr LPARAM kSetVolume = 122;
constexpr WPARAM kQuit = 40001;
constexpr WPARAM kPlay = 40045;
constexpr WPARAM kPause = 40046;
constexpr WPARAM kStop = 40047;
constexpr auto kPatience = 15s;

struct LogLine {
  std::uint64_t epoch_ms = 0;
  DWORD pid = 0;
  UINT msg = 0;
  std::uint64_t wparam = 0;
  std::int64_t lparam = 0;
  std::string name;
  int state = -1;
  int volume = -1;
  std::string note;
};

std::optional<LogLine> ParseLogLine(const std::string& text) {
  static const std::regex kLine(
      R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} epoch_ms=(\d+) pid=(\d+) msg=(\d+) )"
      R"(wparam=(\d+) lparam=(-?\d+) name=([A-Z]+) state=([013]) volume=(\d+)(?: (.*))?$)");
  std::smatch m;
  if (!std::regex_match(text, m, kLine)) return std::nullopt;
  return LogLine{std::stoull(m[1]),
                 static_cast<DWORD>(std::stoul(m[2])),
                 static_cast<UINT>(std::stoul(m[3])),
                 std::stoull(m[4]),
                 std::stoll(m[5]),
                 m[6],
                 std::stoi(m[7]),
                 std::stoi(m[8]),
                 m[9]};
}

std::string Directory(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

std::string PlayerPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return Directory(self) + "\\winamp-standin.exe";
}

std::uint64_t NowEpochMs() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  return (ticks - 116444736000000000ULL) / 10000;
}

struct Player {
  morv::win32::UniqueProcessHandle process;
  DWORD pid = 0;
  Clock::time_point started;
};

struct WindowSearch {
  DWORD pid;
  HWND found;
};

// FindWindow would hand back any player, and tests may run side by side.
HWND PlayerWindowOf(DWORD pid) {
  WindowSearch search{pid, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<WindowSearch*>(param);
        char name[64] = {};
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->pid || GetClassNameA(window, name, sizeof name) == 0 ||
            std::string(name) != kPlayerClass) {
          return TRUE;
        }
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<LRESULT> Send(HWND window, UINT msg, WPARAM wparam, LPARAM lparam,
                            std::chrono::milliseconds limit = 10s) {
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(window, msg, wparam, lparam, SMTO_NORMAL,
                           static_cast<UINT>(limit.count()), &reply)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(reply);
}

std::optional<LRESULT> AskState(HWND window) { return Send(window, kUser, 0, kIsPlaying); }
std::optional<LRESULT> Command(HWND window, WPARAM id) { return Send(window, WM_COMMAND, id, 0); }

template <typename Predicate>
bool WaitFor(Predicate done, std::chrono::milliseconds limit = kPatience) {
  const auto deadline = Clock::now() + limit;
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
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    log_path_ = std::string(temp) + "standin-" + std::to_string(GetCurrentProcessId()) + "-" +
                test->name() + ".log";
    DeleteFileA(log_path_.c_str());
  }

  void TearDown() override {
    for (Player& player : players_) {
      if (WaitForSingleObject(player.process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(player.process.get(), 99);
        WaitForSingleObject(player.process.get(), 10000);
      }
    }
    const bool failed_before = HasFailure();
    for (const std::string& line : RawLog()) {
      EXPECT_TRUE(ParseLogLine(line).has_value()) << "unparsable log line: " << line;
      if (failed_before) std::printf("  log: %s\n", line.c_str());
    }
    DeleteFileA(log_path_.c_str());
  }

  // Starts a player with a private log, mute unless the test says otherwise, and
  // with none of this process's own stand-in switches.
  Player& Start(const Env& overrides = {}, WORD show = SW_SHOWNORMAL) {
    Env env{{"WINAMP_STANDIN_LOG", log_path_}, {"WINAMP_STANDIN_SILENT", "1"}};
    for (const auto& [name, value] : overrides) env[name] = value;
    std::string block;
    const char* inherited = GetEnvironmentStringsA();
    for (const char* entry = inherited; entry != nullptr && *entry != '\0';
         entry += std::strlen(entry) + 1) {
      std::string upper(entry);
      std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
      if (upper.rfind("WINAMP_STANDIN_", 0) != 0) block.append(entry).push_back('\0');
    }
    FreeEnvironmentStringsA(const_cast<char*>(inherited));
    for (const auto& [name, value] : env) block.append(name + "=" + value).push_back('\0');
    block.push_back('\0');

    std::string command_line;
    command_line.append("\"").append(PlayerPath()).append("\"");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    Player& player = players_.emplace_back();
    player.started = Clock::now();
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
      return window != nullptr || !Running(player);
    });
    EXPECT_NE(window, nullptr) << "no player window within " << kPatience.count() << " s";
    return window;
  }

  static bool Running(const Player& player) {
    return player.process && WaitForSingleObject(player.process.get(), 0) == WAIT_TIMEOUT;
  }

  std::vector<std::string> RawLog() const {
    std::vector<std::string> lines;
    std::ifstream file(log_path_);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  std::vector<LogLine> Log(const std::string& name = "") const {
    std::vector<LogLine> lines;
    for (const std::string& raw : RawLog()) {
      auto line = ParseLogLine(raw);
      if (line && (name.empty() || line->name == name)) lines.push_back(*line);
    }
    return lines;
  }

  std::string log_path_;
  std::deque<Player> players_;  // Start hands out references that must stay valid
};

TEST_F(StandinTest, FollowsPlayPauseStopAndLogsEachCommand) {
  Player& player = Start({{"WINAMP_STANDIN_SILENT", ""}});
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);

  EXPECT_EQ(AskState(window), 0);
  Command(window, kPause);  // pausing a stopped player changes nothing
  EXPECT_EQ(AskState(window), 0);
  Command(window, kPlay);
  EXPECT_EQ(AskState(window), 1);
  Command(window, kPause);
  EXPECT_EQ(AskState(window), 3);
  Command(window, kPause);  // pause again resumes
  EXPECT_EQ(AskState(window), 1);
  Command(window, kPause);
  Command(window, kPlay);  // play resumes a paused player
  EXPECT_EQ(AskState(window), 1);
  Command(window, kStop);
  EXPECT_EQ(AskState(window), 0);
  Command(window, 40999);  // unknown commands are logged and ignored
  EXPECT_EQ(AskState(window), 0);

  std::vector<std::string> names;
  for (const LogLine& line : Log()) {
    EXPECT_EQ(line.pid, player.pid);
    if (line.msg == WM_COMMAND) names.push_back(line.name + "=" + std::to_string(line.state));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"PAUSE=0", "PLAY=1", "PAUSE=3", "PAUSE=1", "PAUSE=3",
                                             "PLAY=1", "STOP=0", "COMMAND=0"}));
  auto unknown = Log("COMMAND");
  ASSERT_EQ(unknown.size(), 1u);
  EXPECT_EQ(unknown[0].wparam, 40999u);
  auto start = Log("START");
  ASSERT_FALSE(start.empty());
  EXPECT_EQ(start[0].volume, 200);
  EXPECT_LT(std::max(start[0].epoch_ms, NowEpochMs()) - std::min(start[0].epoch_ms, NowEpochMs()),
            10u * 60 * 1000)
      << "epoch_ms is not the current time";
}

TEST_F(StandinTest, StartsInTheStateItIsGiven) {
  const std::pair<std::string, LRESULT> cases[] = {
      {"playing", 1}, {"paused", 3}, {"stopped", 0}, {"sideways", 0}};
  for (const auto& [state, expected] : cases) {
    Player& player = Start({{"WINAMP_STANDIN_STATE", state}});
    HWND window = WaitForWindow(player);
    ASSERT_NE(window, nullptr) << state;
    EXPECT_EQ(AskState(window), expected) << state;
    TerminateProcess(player.process.get(), 0);
    WaitForSingleObject(player.process.get(), 10000);
  }
  bool complained = false;
  for (const LogLine& line : Log("START")) {
    complained |= line.note.find("config: ignored WINAMP_STANDIN_STATE") != std::string::npos;
  }
  EXPECT_TRUE(complained) << "a bad WINAMP_STANDIN_STATE should be reported in the log";
}

TEST_F(StandinTest, SetVolumeClampsAndLogsTheNewVolume) {
  Player& player = Start();
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);

  Send(window, kUser, 77, kSetVolume);
  Send(window, kUser, 999, kSetVolume);
  Send(window, kUser, static_cast<WPARAM>(-5), kSetVolume);
  Send(window, kUser, 0, 4242);  // some other request: logged, no effect
  AskState(window);

  auto volumes = Log("SETVOLUME");
  ASSERT_EQ(volumes.size(), 3u);
  EXPECT_EQ(volumes[0].wparam, 77u);
  EXPECT_EQ(volumes[0].volume, 77);
  EXPECT_EQ(volumes[1].volume, 255);
  EXPECT_EQ(volumes[2].volume, 0);
  auto other = Log("USER");
  ASSERT_EQ(other.size(), 1u);
  EXPECT_EQ(other[0].lparam, 4242);
  auto asked = Log("ISPLAYING");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].volume, 0);
  EXPECT_EQ(asked[0].msg, kUser);
}

TEST_F(StandinTest, QuitClosesTheWindowAndEndsTheProcess) {
  // Audible where there is a sound device, so quitting also has to let go of it.
  Player& player = Start({{"WINAMP_STANDIN_STATE", "playing"}, {"WINAMP_STANDIN_SILENT", ""}});
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);

  Command(window, kQuit);
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(WaitForSingleObject(player.process.get(), 15000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(player.process.get(), &code);
  EXPECT_EQ(code, 0u);

  std::vector<std::string> tail;
  for (const LogLine& line : Log()) {
    if (line.name == "QUIT" || line.name == "DESTROY" || line.name == "EXIT") {
      tail.push_back(line.name);
    }
  }
  EXPECT_EQ(tail, (std::vector<std::string>{"QUIT", "DESTROY", "EXIT"}));
}

TEST_F(StandinTest, IgnoreQuitAndHangSimulateAStubbornPlayer) {
  Player& stubborn = Start({{"WINAMP_STANDIN_IGNORE_QUIT", "1"}});
  HWND stubborn_window = WaitForWindow(stubborn);
  ASSERT_NE(stubborn_window, nullptr);
  Command(stubborn_window, kQuit);
  EXPECT_EQ(WaitForSingleObject(stubborn.process.get(), 1500), WAIT_TIMEOUT);
  EXPECT_TRUE(IsWindow(stubborn_window));
  Command(stubborn_window, kPlay);
  EXPECT_EQ(AskState(stubborn_window), 1);
  auto quits = Log("QUIT");
  ASSERT_EQ(quits.size(), 1u);
  EXPECT_NE(quits[0].note.find("ignored"), std::string::npos);

  // A hung player does not answer in time, then quits once it wakes up.
  Player& hung = Start({{"WINAMP_STANDIN_HANG_MS", "3000"}});
  HWND hung_window = WaitForWindow(hung);
  ASSERT_NE(hung_window, nullptr);
  // The window exists a moment before its thread pumps messages, and under Wine a
  // send that times out before the target has picked it up is withdrawn: make sure
  // the quit is received, so that it is the hang that makes the send time out.
  ASSERT_EQ(AskState(hung_window), 0);
  EXPECT_FALSE(Send(hung_window, WM_COMMAND, kQuit, 0, 500ms).has_value());
  EXPECT_EQ(WaitForSingleObject(hung.process.get(), 15000), WAIT_OBJECT_0);
  auto hung_quit = Log("QUIT");
  ASSERT_EQ(hung_quit.size(), 2u);
  EXPECT_EQ(hung_quit[1].note, "after hanging 3000 ms");
}

TEST_F(StandinTest, AppearDelayHoldsTheWindowBack) {
  Player& player = Start({{"WINAMP_STANDIN_APPEAR_DELAY_MS", "2000"}});
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);
  EXPECT_GE(Clock::now() - player.started, 2000ms);
  EXPECT_EQ(AskState(window), 0);
}

TEST_F(StandinTest, HonoursShowCommandAndKeepsPlayingWhileHidden) {
  Player& player = Start({}, SW_SHOWMINIMIZED);
  HWND window = WaitForWindow(player);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) && IsIconic(window); }))
      << "started minimised, the window should show as an icon";

  Command(window, kPlay);
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
  auto hidden = Log("SHOWWINDOW");
  EXPECT_TRUE(std::any_of(hidden.begin(), hidden.end(),
                          [](const LogLine& line) { return line.wparam == 0; }));
}

TEST_F(StandinTest, TwoPlayersRunSideBySideAndShareALog) {
  Player& first = Start();
  Player& second = Start();
  HWND first_window = WaitForWindow(first);
  HWND second_window = WaitForWindow(second);
  ASSERT_NE(first_window, nullptr);
  ASSERT_NE(second_window, nullptr);
  EXPECT_NE(first_window, second_window);

  Command(first_window, kPlay);
  EXPECT_EQ(AskState(first_window), 1);
  EXPECT_EQ(AskState(second_window), 0);
  for (int i = 0; i < 20; ++i) {
    AskState(first_window);
    AskState(second_window);
  }
  int from_first = 0;
  int from_second = 0;
  for (const LogLine& line : Log("ISPLAYING")) {
    from_first += line.pid == first.pid;
    from_second += line.pid == second.pid;
  }
  EXPECT_EQ(from_first, 21);
  EXPECT_EQ(from_second, 21);
}

TEST_F(StandinTest, ReportsWhatBecameOfTheSound) {
  Player& silent = Start();
  Player& audible = Start({{"WINAMP_STANDIN_SILENT", ""}, {"WINAMP_STANDIN_STATE", "playing"}});
  ASSERT_NE(WaitForWindow(silent), nullptr);
  ASSERT_NE(WaitForWindow(audible), nullptr);
  std::map<DWORD, std::string> outcome;
  WaitFor([&] {
    for (const LogLine& line : Log("AUDIO")) outcome[line.pid] = line.note;
    return outcome.size() == 2;
  });
  EXPECT_EQ(outcome[silent.pid], "audio: silent by request");
  const std::string& sound = outcome[audible.pid];
  EXPECT_TRUE(sound.rfind("audio: output open", 0) == 0 ||
              sound.rfind("audio: no output device", 0) == 0)
      << sound;
  // Whatever the sound card did, the player still answers.
  EXPECT_EQ(AskState(PlayerWindowOf(audible.pid)), 1);
}

TEST(StandinConfigTest, RejectsNonsenseWithoutFailing) {
  const std::map<std::string, std::string, std::less<>> env{
      {"WINAMP_STANDIN_APPEAR_DELAY_MS", "12abc"}, {"WINAMP_STANDIN_HANG_MS", "-5"},
      {"WINAMP_STANDIN_IGNORE_QUIT", "maybe"},     {"WINAMP_STANDIN_SILENT", " 1 "},
      {"WINAMP_STANDIN_STATE", "PAUSED"},          {"WINAMP_STANDIN_LOG", ""}};
  auto config = morv::standin::ParseConfig(
      [&](std::string_view name) -> std::optional<std::string> {
        auto found = env.find(name);
        if (found == env.end()) return std::nullopt;
        return found->second;
      },
      "C:\\fallback.log");
  EXPECT_EQ(config.log_path, "C:\\fallback.log");
  EXPECT_EQ(config.initial_state, morv::standin::PlayState::kPaused);
  EXPECT_TRUE(config.silent);
  EXPECT_FALSE(config.ignore_quit);
  EXPECT_EQ(config.appear_delay, 0ms);
  EXPECT_EQ(config.hang_on_quit, 0ms);
  EXPECT_EQ(config.problems.size(), 3u);
}

TEST(ChimeTest, IsAudibleAndLoopsWithoutAJump) {
  const auto chime = morv::standin::SynthesizeChime();
  ASSERT_GE(chime.size(), static_cast<std::size_t>(morv::standin::kChimeSampleRate));
  int peak = 0;
  int largest_step = 0;
  for (std::size_t i = 0; i < chime.size(); ++i) {
    peak = std::max(peak, std::abs(int{chime[i]}));
    if (i > 0) largest_step = std::max(largest_step, std::abs(chime[i] - chime[i - 1]));
  }
  EXPECT_GT(peak, 8000);
  EXPECT_LE(peak, 16384);
  EXPECT_LE(std::abs(chime.front() - chime.back()), largest_step);
}

}  // namespace
