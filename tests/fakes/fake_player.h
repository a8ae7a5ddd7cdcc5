#pragma once
// A media player behind a fake window: answers the playing-state question, takes the
// volume, plays on command and quits (its window disappears) unless told to hang on.
#include <deque>
#include <string>
#include <vector>

#include "tests/fakes/fake_services.h"
#include "tests/fakes/fake_windows.h"

namespace morv::fakes {

struct FakePlayer {
  WindowHandle handle = 0;
  int state = 0;  // 0 stopped, 1 playing, 3 paused
  bool ignoreQuit = false;
  bool emptyPlaylist = false;      // Play is heard but nothing plays
  std::vector<std::string> heard;  // "isplaying", "volume 255", "play", "quit", "clear", "add x"
};

class FakePlayers {
 public:
  explicit FakePlayers(FakeWindowManager& windows) : windows_(windows) {}

  FakePlayer& launch(int state = 0) {
    FakeWindow& window = windows_.add("Winamp v1.x", "Winamp");
    FakePlayer& player = all.emplace_back();
    player.handle = window.handle;
    player.state = state;
    window.onMessage = [&player, this](unsigned message, std::uintptr_t w, std::intptr_t l) {
      if (message == kWmUser && l == 104) {
        player.heard.push_back("isplaying");
        return static_cast<std::intptr_t>(player.state);
      }
      if (message == kWmUser && l == 122) player.heard.push_back("volume " + std::to_string(w));
      if (message == kWmUser && l == 101) player.heard.push_back("clear");
      if (message == kWmCommand && w == 40045) {
        player.heard.push_back("play");
        if (!player.emptyPlaylist) player.state = 1;
      }
      if (message == kWmCommand && w == 40001) {
        player.heard.push_back("quit");
        if (!player.ignoreQuit) closeByUser(player);
      }
      return std::intptr_t{0};
    };
    window.onCopyData = [&player](std::uintptr_t kind, const std::string& data) {
      if (kind == 100) player.heard.push_back("add " + data);
      return std::intptr_t{1};
    };
    return player;
  }
  // Every start of a program at `path` launches a player.
  void serve(FakeProcesses& processes, std::string path) {
    processes.onStart = [this, path](const ProgramStart& start) {
      if (SameText(start.path, path)) launch();
      return StartResult::Started;
    };
  }
  // The player behind the window the user closes.
  void closeByUser(FakePlayer& player) { windows_.remove(player.handle); }

  std::deque<FakePlayer> all;

 private:
  FakeWindowManager& windows_;
};

}  // namespace morv::fakes
