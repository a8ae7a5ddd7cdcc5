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
constexpr auto kSleptIfGapOver = 1min;

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

// The day's date text changes once a day; asking the locale every second costs a trip
// to the registry each time.
const std::string& FrmMain::TodaysDateText(const CalendarDate& today) {
  if (!alarmState_.today || *alarmState_.today != today) {
    alarmState_.today = today;
    alarmState_.todayText = desktop_.locale.shortDate(today);
  }
  return alarmState_.todayText;
}

void FrmMain::Tick() {
  const LocalDateTime now = desktop_.clock.now();
  NoteTick(now);
  StopOwnSoundAfterItsTime();
  ui.txtTime.setText(ClockText(now));
  alarm.ClockKey = ui.txtTime.text();
  alarm.ClockKey = ClockKeyOf(alarm.ClockKey);

  WinampWindow = desktop_.windows.findWindow(winamp::kWindowClass);
  // While Morvane's own sound rings, the item reads "Snoo&ze" and must stop it, player or not.
  ui.mnuCloseWinAmp.setEnabled(WinampWindow != 0 || ring_.ownSoundSince.has_value());

  // The armed alarm's player was closed behind our back: bring it back, hidden.
  if (!alarm.PlayerHandle.empty() && desktop_.windows.findWindow(winamp::kWindowClass) == 0 &&
      !alarm.ArmedMark.empty()) {
    const bool started =
        desktop_.processes.startProgram(winamp::kProgramPath, WindowStyle::MinimizedFocus) ==
        StartResult::Started;
    alarm.PlayerHandle = std::to_string(desktop_.windows.findWindow(winamp::kWindowClass));
    desktop_.windows.showWindow(HandleOf(alarm.PlayerHandle), ShowCommand::Hide);
    // Waiting for a player that could not be started would only freeze the window
    // two seconds of every three; the next tick tries again.
    if (started) desktop_.clock.sleep(2000ms);
  }

  if (MoveOnPastMissedMinute(now)) return;

  const std::string minute = alarm.AlarmDate + " " + alarm.ClockKey;
  const bool due = alarm.AlarmDate == TodaysDateText(now.date) &&
                   alarm.AlarmTime == alarm.ClockKey && alarm.FiredMark.empty() &&
                   minute != alarmState_.rangAt;
  if (due) Fire(minute);
}

// A tick more than a minute after the one before may have skipped the alarm's minute
// whole: the computer slept.
void FrmMain::NoteTick(const LocalDateTime& now) {
  const LocalTimePoint at = ToTimePoint(now);
  if (ring_.lastTick && at - *ring_.lastTick > kSleptIfGapOver) ring_.beforeGap = ring_.lastTick;
  ring_.lastTick = at;
}

void FrmMain::Fire(const std::string& minute) {
  if (WinampIsPlaying(desktop_, winamp::kWindowClass) == winamp::kPlaying) return;

  WinampPlay(desktop_, winamp::kWindowClass, true);
  desktop_.clock.sleep(2000ms);
  WinampSetVolume(desktop_, winamp::kAlarmVolume, winamp::kWindowClass);
  alarm.PlayingMark = kPlaying;
  ui.mnuCloseWinAmp.setCaption(texts::kSnooze);
  ui.cmdSet.setCaption(texts::kSnooze);
  alarm.FiredMark = kFired;
  alarmState_.rangAt = minute;
  SetStatus(texts::kBanner);
  RingOwnSoundUnlessPlayerPlays();
}

}  // namespace morv
