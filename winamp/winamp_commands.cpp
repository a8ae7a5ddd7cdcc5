#include <algorithm>

#include "alarm/alarm_texts.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"
#include "winamp/winamp_access.h"
#include "winamp/winamp_program.h"

namespace morv {

void FrmMain::mnuStartWinAmp_Click() {
  WinampWindow = desktop_.windows.findWindow(winamp::kWindowClass);
  if (WinampWindow != 0) {
    desktop_.windows.showWindow(WinampWindow, ShowCommand::ShowDefault);
    return;
  }
  if (desktop_.processes.startProgram(winamp::kProgramPath, WindowStyle::NormalFocus) !=
      StartResult::Started) {
    desktop_.boxes.show({"Fatal Error!", "WinAmp Not Found!", MbIcon::Critical, MbButtons::Ok});
    desktop_.program.end();
  }
}

// Doubles as "Snoo&ze" while the alarm plays: that part stands whatever the answer.
void FrmMain::mnuCloseWinAmp_Click() {
  const bool snoozed = !alarm.PlayingMark.empty();
  if (snoozed && SnoozeComesBack()) {
    const bool close = desktop_.boxes.show({"Close WinAmp?", "Are You Sure You Want To Close WinAmp?",
                                            MbIcon::Question, MbButtons::YesNo}) != MbAnswer::No;
    return SnoozeRing(close);
  }
  bool firstRang = false;
  if (snoozed) {
    const std::vector<int> rang = EndRingByUser();
    firstRang = rang.empty() || std::ranges::count(rang, 0) > 0;
    alarm.PlayingMark.clear();
    ui.mnuCloseWinAmp.setCaption(texts::kCloseWinAmp);
    if (firstRang) {
      alarm.PlayerHandle.clear();
      SetStatus(texts::Disarmed(alarm.AlarmDate, alarm.AlarmTime));
    } else {
      ShowFirstAlarmAsItStands();
    }
  }
  if (desktop_.boxes.show({"Close WinAmp?", "Are You Sure You Want To Close WinAmp?",
                           MbIcon::Question, MbButtons::YesNo}) != MbAnswer::No) {
    WinampClose(desktop_, winamp::kWindowClass);
  }
  if (firstRang) MoveToNextRepeatDay();
}

void FrmMain::mnuLoadWinAmpOnStart_Click() {
  const bool on = !ui.mnuLoadWinAmpOnStart.checked();
  ui.mnuLoadWinAmpOnStart.setChecked(on);
  if (!RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                               settings::kWinAmpOnStart, on ? settings::kYes : settings::kNo)) {
    ShowRegistryErrorBox(desktop_.boxes);
    RequestClose();
  }
}

}  // namespace morv
