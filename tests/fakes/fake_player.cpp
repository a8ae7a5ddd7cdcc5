#include "tests/fakes/fake_player.h"

#include "platform/window_manager.h"
#include "tests/fakes/fake_text.h"

namespace morv::fakes {

FakePlayer& FakePlayers::launch(int state) {
  FakeWindow& window = windows_.add("Winamp v1.x", "Winamp");
  FakePlayer& player = all.emplace_back();
  player.handle = window.handle;
  player.state = state;
  FakeWindowManager* windows = &windows_;
  window.onMessage = [&player, windows](unsigned message, std::uintptr_t w,
                                        std::intptr_t l) -> std::intptr_t {
    if (message == kWmUser && l == 104) {
      player.heard.push_back("isplaying");
      return player.state;
    }
    if (message == kWmUser && l == 122) {
      player.heard.push_back("volume " + std::to_string(w));
      return 0;
    }
    if (message == kWmCommand && w == 40045) {
      player.heard.push_back("play");
      if (!player.emptyPlaylist) player.state = 1;
      return 0;
    }
    if (message == kWmCommand && w == 40001) {
      player.heard.push_back("quit");
      if (!player.ignoreQuit) windows->remove(player.handle);
      return 0;
    }
    return 0;
  };
  return player;
}

void FakePlayers::serve(FakeProcesses& processes, std::string path) {
  processes.onStart = [this, path](const ProgramStart& start) {
    if (SameText(start.path, path)) launch();
    return StartResult::Started;
  };
}

}  // namespace morv::fakes
