#pragma once
// A media player behind a fake window: answers the playing-state question, takes the
// volume, plays on command and quits (its window disappears) unless told to hang on.
#include <chrono>
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
  std::vector<std::string> heard;  // "isplaying", "volume 255", "play", "quit"
};

class FakePlayers {
 public:
  explicit FakePlayers(FakeWindowManager& windows) : windows_(windows) {}

  FakePlayer& launch(int state = 0);
  // Every start of a program at `path` launches a player.
  void serve(FakeProcesses& processes, std::string path);
  // The player behind the window the user closes.
  void closeByUser(FakePlayer& player) { windows_.remove(player.handle); }

  std::deque<FakePlayer> all;

 private:
  FakeWindowManager& windows_;
};

}  // namespace morv::fakes
