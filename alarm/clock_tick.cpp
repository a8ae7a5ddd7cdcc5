#include <chrono>

#include "alarm/alarm_texts.h"
#include "alarm/alarm_time.h"
#include "mainwindow/frm_main.h"
#include "winamp/winamp_access.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

constexpr auto kTickInterval = 1000ms;
// Timers fire on the system's clock interrupts, never early: a little past the second is
// safely past it.
constexpr auto kPastTheSecond = 10ms;
constexpr auto kDriftAllowed = 8ms;

WindowHandle HandleOf(const std::string& text) {
  WindowHandle handle = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    handle = handle * 10 + static_cast<WindowHandle>(c - '0');
  }
  return handle;
}

}  // namespace

void FrmMain::MyTimer_Timer() {
  const RunningFlag running(alarmState_.ticking);
  if (!running.entered()) return;
  Tick();
  AimTickAtNextSecond();
}

// The clock shows seconds and the alarm is due from its minute's first second: each tick
// is aimed just past the next second of the wall clock, so the display turns when the
// system clock does, Play goes out at the start of the alarm minute, and no drift builds
// up. Still one tick a second.
void FrmMain::AimTickAtNextSecond() {
  if (!ui.MyTimer.enabled()) return;
  const auto aim =
      kTickInterval - std::chrono::milliseconds(desktop_.clock.now().millisecond) + kPastTheSecond;
  // Each new aim costs the system a new timer; a few milliseconds off can wait.
  const auto off = aim - ui.MyTimer.interval();
  if (off > kDriftAllowed || off < -kDriftAllowed) ui.MyTimer.setInterval(aim);
}

void FrmMain::Tick() {
  const LocalDateTime now = desktop_.clock.now();
  ui.txtTime.setText(ClockText(now));
  alarm.ClockKey = AlarmTimeText({now.hour, now.minute});

  WinampWindow = desktop_.windows.findWindow(winamp::kWindowClass);
  // While Morvane's own sound rings, the item reads "Snoo&ze" and must stop it, player or not.
  ui.mnuCloseWinAmp.setEnabled(WinampWindow != 0 || alarmState_.ring.ownSound);

  // The armed alarm's player was closed behind our back, or an alarm in the list is on with
  // no player to ring: bring it back, hidden.
  const bool forFirst = !alarm.PlayerHandle.empty() && !alarm.ArmedMark.empty();
  if ((forFirst || AnyListAlarmOn()) && desktop_.windows.findWindow(winamp::kWindowClass) == 0) {
    const bool started =
        desktop_.processes.startProgram(winamp::kProgramPath, WindowStyle::MinimizedFocus) ==
        StartResult::Started;
    std::string found = std::to_string(desktop_.windows.findWindow(winamp::kWindowClass));
    if (forFirst) alarm.PlayerHandle = found;
    desktop_.windows.showWindow(HandleOf(found), ShowCommand::Hide);
    // Waiting for a player that could not be started would only freeze the window
    // two seconds of every three; the next tick tries again.
    if (started) desktop_.clock.sleep(2000ms);
    // A player slower than the look at once has its window by now; left alone it would stay
    // on the screen, since the next tick finds a player and starts none.
    if (started && HandleOf(found) == 0) {
      found = std::to_string(desktop_.windows.findWindow(winamp::kWindowClass));
      if (forFirst) alarm.PlayerHandle = found;
      desktop_.windows.showWindow(HandleOf(found), ShowCommand::Hide);
    }
  }

  SettleDueAlarms(now);
}

// Whatever brought the clock here, a tick in an alarm's minute, or the first tick after
// the clock jumped past it (the computer slept, the clock was set, a box stood it still):
// each due minute is rung, told of, or counted as the player's, once. Until the soonest
// alarm falls due a tick costs the same however many alarms there are.
void FrmMain::SettleDueAlarms(const LocalDateTime& now, bool withFirst) {
  const std::optional<LocalDateTime> counting = alarmState_.counting;
  alarmState_.counting = now;
  if (!alarmState_.nextDue || now < *alarmState_.nextDue) return;
  Ring& snooze = alarmState_.ring;
  if (snooze.phase == RingPhase::Snoozed &&
      DueAt({*snooze.until, true, false, {}}, counting, now) != Due::NotYet) {
    // Snoozed on purpose: it rings again however late the clock comes to it.
    RingAlarm(snooze.alarms);
  }
  // A ring already sounding takes in a minute that falls due meanwhile: one ring, never two.
  const bool ringing = alarmState_.ring.phase != RingPhase::Quiet;
  std::optional<bool> plays;  // asked once, however many alarms share the minute
  std::vector<int> toRing;
  for (Alarm* a : Alarms()) {
    if (!a->due || (a->id == 0 && !withFirst)) continue;
    const Due due = DueAt({*a->due, a->armed, a->id == 0, a->settled}, counting, now);
    if (due == Due::NotYet) continue;
    if (AsksPlayer(due) && !ringing && !plays) {
      plays = WinampIsPlaying(desktop_, winamp::kWindowClass) == winamp::kPlaying;
    }
    const Verdict verdict = VerdictOn(due, a->repeat.any(), !ringing && plays.value_or(false));
    if (verdict.settle) a->settled = a->due;
    if (verdict.ring) (ringing ? alarmState_.ring.alarms : toRing).push_back(a->id);
    if (verdict.tellMissed) AlarmMissed(*a);
    if (verdict.moveOn) {
      // The notice of a missed morning stays where the user looks first; the date shows
      // the new morning.
      const std::string status = ui.StatusBar1.text();
      MoveOn(*a);
      if (verdict.tellMissed) SetStatus(status);
    } else if (verdict.settle && !verdict.ring && a->id != 0) {
      ListAlarmDone(*a);
    }
  }
  UpdateNextDue();
  if (!toRing.empty()) RingAlarm(toRing);
}

// Windows has resumed from sleep. The tick notices a sleep by itself; this only spares
// the wait for it, and a clock standing still (a box open) sees the gap when it runs again.
void FrmMain::SystemResumed() {
  const RunningFlag running(alarmState_.ticking);
  if (!running.entered()) return;
  SettleDueAlarms(desktop_.clock.now());
}

}  // namespace morv
