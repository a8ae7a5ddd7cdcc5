#include "tools/winamp_standin/standin_config.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace morv::standin {
namespace {

// Delays beyond this are surely typos; a test that really wants a longer wait is
// better served by a hung or absent player.
constexpr std::chrono::milliseconds kMaxDelay{10 * 60 * 1000};

std::string Lowercase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

void Reject(Config& config, std::string_view name, std::string_view value, std::string_view why) {
  config.problems.push_back("config: ignored " + std::string(name) + "=\"" + std::string(value) +
                            "\" (" + std::string(why) + ")");
}

bool ReadFlag(const EnvLookup& lookup, std::string_view name, Config& config) {
  auto raw = lookup(name);
  if (!raw) return false;
  std::string value = Lowercase(Trim(*raw));
  if (value.empty() || value == "0" || value == "false" || value == "no") return false;
  if (value == "1" || value == "true" || value == "yes") return true;
  Reject(config, name, *raw, "expected 1 or 0");
  return false;
}

std::chrono::milliseconds ReadDelay(const EnvLookup& lookup, std::string_view name,
                                    Config& config) {
  auto raw = lookup(name);
  if (!raw) return std::chrono::milliseconds{0};
  std::string_view value = Trim(*raw);
  if (value.empty()) return std::chrono::milliseconds{0};
  long long ms = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), ms);
  if (error != std::errc{} || end != value.data() + value.size() || ms < 0) {
    Reject(config, name, *raw, "expected a whole number of milliseconds");
    return std::chrono::milliseconds{0};
  }
  if (std::chrono::milliseconds{ms} > kMaxDelay) {
    Reject(config, name, *raw, "longer than 10 minutes");
    return std::chrono::milliseconds{0};
  }
  return std::chrono::milliseconds{ms};
}

PlayState ReadState(const EnvLookup& lookup, Config& config) {
  constexpr std::string_view kName = "WINAMP_STANDIN_STATE";
  auto raw = lookup(kName);
  if (!raw) return PlayState::kStopped;
  std::string value = Lowercase(Trim(*raw));
  if (value.empty() || value == "stopped") return PlayState::kStopped;
  if (value == "playing") return PlayState::kPlaying;
  if (value == "paused") return PlayState::kPaused;
  Reject(config, kName, *raw, "expected stopped, playing or paused");
  return PlayState::kStopped;
}

HangOn ReadHangOn(const EnvLookup& lookup, Config& config) {
  constexpr std::string_view kName = "WINAMP_STANDIN_HANG_ON";
  auto raw = lookup(kName);
  if (!raw) return HangOn::kQuit;
  std::string value = Lowercase(Trim(*raw));
  if (value.empty() || value == "quit") return HangOn::kQuit;
  if (value == "isplaying") return HangOn::kIsPlaying;
  if (value == "volume") return HangOn::kVolume;
  if (value == "shown") return HangOn::kShown;
  Reject(config, kName, *raw, "expected quit, isplaying, volume or shown");
  return HangOn::kQuit;
}

std::optional<std::string> GetEnvironment(std::string_view name) {
  std::string key(name);
  DWORD needed = GetEnvironmentVariableA(key.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::string value(needed, '\0');
  DWORD written = GetEnvironmentVariableA(key.c_str(), value.data(), needed);
  if (written == 0 || written >= needed) return std::nullopt;
  value.resize(written);
  return value;
}

std::string TempLogPath() {
  char dir[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(sizeof dir, dir);
  std::string path = (length > 0 && length < sizeof dir) ? std::string(dir, length) : ".\\";
  if (path.back() != '\\' && path.back() != '/') path += '\\';
  return path + "winamp-standin.log";
}

}  // namespace

Config ParseConfig(const EnvLookup& lookup, std::string default_log_path) {
  Config config;
  auto log = lookup("WINAMP_STANDIN_LOG");
  config.log_path = (log && !Trim(*log).empty()) ? std::string(Trim(*log)) : default_log_path;
  config.initial_state = ReadState(lookup, config);
  config.ignore_quit = ReadFlag(lookup, "WINAMP_STANDIN_IGNORE_QUIT", config);
  config.silent = ReadFlag(lookup, "WINAMP_STANDIN_SILENT", config);
  config.appear_delay = ReadDelay(lookup, "WINAMP_STANDIN_APPEAR_DELAY_MS", config);
  config.hang = ReadDelay(lookup, "WINAMP_STANDIN_HANG_MS", config);
  config.hang_on = ReadHangOn(lookup, config);
  config.vanish_on_ask = ReadFlag(lookup, "WINAMP_STANDIN_VANISH_ON_ASK", config);
  config.empty_playlist = ReadFlag(lookup, "WINAMP_STANDIN_EMPTY_PLAYLIST", config);
  return config;
}

Config ReadConfigFromEnvironment() { return ParseConfig(GetEnvironment, TempLogPath()); }

}  // namespace morv::standin
