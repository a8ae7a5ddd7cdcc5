// The alarm rings: the player at full volume, or Morvane's own sound when the player is
// silent. An alarm clock that claims to ring while nothing plays has failed at its one job.
#include <algorithm>
#include <chrono>

#include "alarm/alarm_texts.h"
#include "mainwindow/frm_main.h"
#include "winamp/winamp_access.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

constexpr char kNoticeTitle[] = "Morvane";
constexpr char kNoPlayer[] = "WinAmp is not running, so Morvane is ringing its own alarm sound.";
constexpr char kPlayerSilent[] =
    "WinAmp is not playing, so Morvane is ringing its own alarm sound.";

}  // namespace

void FrmMain::RingAlarm(const std::vector<int>& alarms) {
  Ring& ring = alarmState_.ring;
  const bool snoozed = ring.snoozed;
  const auto now = desktop_.clock.monotonic();
  ring = {.phase = RingPhase::Ringing, .since = now, .askedAt = now, .alarms = alarms};
  ring.snoozed = snoozed;
  ui.RingTimer.setEnabled(true);
  // Without a player there is nothing to wait two seconds for; Morvane's own sound is
  // never gentle.
  if (desktop_.windows.findWindow(winamp::kWindowClass) == 0) {
    ShowRinging();
    StartOwnSound(kNoPlayer);
    return;
  }
  // The ring plays what the first of its alarms chose.
  const std::vector<Alarm*> ringing = RingingAlarms();
  ring.rise = std::chrono::seconds{ringing.empty() ? 0 : ringing.front()->riseSeconds};
  const std::string music = ringing.empty() ? "" : ringing.front()->music;
  const bool musicGone = !music.empty() && !desktop_.files.fileExists(music);
  if (!music.empty() && !musicGone) WinampPlayFile(desktop_, winamp::kWindowClass, music);
  WinampPlay(desktop_, winamp::kWindowClass, true, [this] {
    // The box that tells of it waits for the user, who may well be asleep: ring first.
    ShowRinging();
    StartOwnSound(kPlayerSilent);
  });
  // The ring may have run its time while that box stood open.
  if (ring.phase != RingPhase::Ringing) return;
  desktop_.clock.sleep(2000ms);
  ring.volume = StartVolume(ring.rise);
  WinampSetVolume(desktop_, ring.volume, winamp::kWindowClass);
  ShowRinging();
  if (musicGone) {
    ui.SysTray.notify(kNoticeTitle, "The alarm's music, " + music +
                                        ", could not be found, so WinAmp played what it holds.");
  }
  // A player without a window, one that does not answer, and one that answers anything
  // but "playing" all leave the room silent. A player that plays is never doubled.
  if (!ring.ownSound && WinampIsPlaying(desktop_, winamp::kWindowClass) != winamp::kPlaying) {
    StartOwnSound(WinampWindow == 0 ? kNoPlayer : kPlayerSilent);
  }
}

void FrmMain::ShowRinging() {
  alarm.PlayingMark = kPlaying;
  ui.mnuCloseWinAmp.setCaption(texts::kSnooze);
  ui.cmdSet.setCaption(texts::kSnooze);
  alarm.FiredMark = kFired;
  SetStatus(texts::kBanner);
}

void FrmMain::StartOwnSound(const char* why) {
  Ring& ring = alarmState_.ring;
  if (ring.ownSound) return;
  desktop_.alarmSound.startLooping();
  ring.ownSound = true;
  ring.askedAt = desktop_.clock.monotonic();
  ui.mnuCloseWinAmp.setEnabled(true);
  ui.SysTray.notify(kNoticeTitle, why);
}

void FrmMain::StopOwnSound() {
  if (!alarmState_.ring.ownSound) return;
  desktop_.alarmSound.stop();
  alarmState_.ring.ownSound = false;
}

// The ring's own timer, which boxes do not stop: the ring ends on time, and a player
// that starts late takes over from the own sound. While the clock stands for the main
// window's own reasons (a time being typed, a stopped alarm) and no box is open, it also
// keeps the list's alarms counted.
void FrmMain::RingTimer_Timer(bool countAlarms) {
  Ring& ring = alarmState_.ring;
  const RingStep step = OnRingTimer(ring, desktop_.clock.monotonic());
  if (step.end) EndRingByItself();
  if (step.volume) {
    ring.volume = *step.volume;
    WinampSetVolume(desktop_, ring.volume, winamp::kWindowClass);
  }
  if (step.askPlayer) {
    ring.askedAt = desktop_.clock.monotonic();
    if (WinampIsPlaying(desktop_, winamp::kWindowClass) == winamp::kPlaying) StopOwnSound();
  }
  if (countAlarms && !ui.MyTimer.enabled()) {
    const RunningFlag running(alarmState_.ticking);
    if (running.entered()) SettleDueAlarms(desktop_.clock.now(), false);
  }
}

// The ring timer runs while a ring needs it, and while the clock stands with alarms of the
// list on, or a snooze, that must not wait for it.
void FrmMain::KeepAlarmsCounted() {
  const Ring& ring = alarmState_.ring;
  const bool waiting = AnyListAlarmOn() || ring.phase == RingPhase::Snoozed;
  ui.RingTimer.setEnabled(NeedsRingTimer(ring) || (!ui.MyTimer.enabled() && waiting));
}

// Nobody answered: the own sound stops and the player is left as it is. A repeating alarm
// goes on to its next morning as after a snooze; a one-off alarm shows as rung until the
// user stops it.
void FrmMain::EndRingByItself() {
  Ring& ring = alarmState_.ring;
  std::vector<Alarm*> repeating;
  for (Alarm* a : RingingAlarms()) {
    if (a->armed && a->repeat.any()) repeating.push_back(a);
  }
  const RingEnd end = EndRing(ring, true, repeating.size() < ring.alarms.size());
  if (end.stopOwnSound) StopOwnSound();
  ring.phase = end.phase;
  ui.RingTimer.setEnabled(false);
  for (Alarm* a : repeating) {
    std::erase(ring.alarms, a->id);
    MoveOn(*a);
  }
  if (ring.phase == RingPhase::Quiet) ring = {};
}

// The user answered the ring; the alarms in the list it was for go on to their next day or
// go off. Returns which alarms it was for: none when nothing rang.
std::vector<int> FrmMain::EndRingByUser() {
  Ring& ring = alarmState_.ring;
  if (ring.phase == RingPhase::Quiet) return {};
  const RingEnd end = EndRing(ring, false, false);
  if (end.stopOwnSound) StopOwnSound();
  const std::vector<int> rang = ring.alarms;
  ring = {};
  ui.RingTimer.setEnabled(false);
  ui.mnuEndSnooze.setVisible(false);
  for (Alarm* a : Alarms()) {
    if (a->id != 0 && std::ranges::count(rang, a->id)) ListAlarmDone(*a);
  }
  return rang;
}

std::vector<Alarm*> FrmMain::RingingAlarms() {
  std::vector<Alarm*> ringing;
  for (Alarm* a : Alarms()) {
    if (std::ranges::count(alarmState_.ring.alarms, a->id)) ringing.push_back(a);
  }
  return ringing;
}

}  // namespace morv
