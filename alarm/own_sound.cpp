// Morvane's own alarm sound: an alarm clock that claims to ring while nothing plays has
// failed at its one job.
#include <chrono>

#include "mainwindow/frm_main.h"
#include "winamp/winamp_access.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

// Long enough to wake anyone who can be woken; a sound left on in an empty house for hours
// would only annoy the neighbours.
constexpr auto kOwnSoundFor = 15min;

constexpr char kNoticeTitle[] = "Morvane";
constexpr char kNoPlayer[] = "WinAmp is not running, so Morvane is ringing its own alarm sound.";
constexpr char kPlayerSilent[] =
    "WinAmp is not playing, so Morvane is ringing its own alarm sound.";

}  // namespace

// Asked once the player has had Play and its two seconds: a player without a window, one
// that does not answer, and one that answers anything but "playing" all leave the room
// silent. A player that plays is never doubled.
void FrmMain::RingOwnSoundUnlessPlayerPlays() {
  if (WinampIsPlaying(desktop_, winamp::kWindowClass) == winamp::kPlaying) return;
  desktop_.alarmSound.startLooping();
  ring_.ownSoundSince = desktop_.clock.monotonic();
  ui.SysTray.notify(kNoticeTitle, WinampWindow == 0 ? kNoPlayer : kPlayerSilent);
}

void FrmMain::StopOwnSound() {
  if (!ring_.ownSoundSince) return;
  desktop_.alarmSound.stop();
  ring_.ownSoundSince.reset();
}

void FrmMain::StopOwnSoundAfterItsTime() {
  if (ring_.ownSoundSince && desktop_.clock.monotonic() - *ring_.ownSoundSince >= kOwnSoundFor) {
    StopOwnSound();
  }
}

}  // namespace morv
