#include "mainwindow/frm_main.h"

namespace morv {

// The status text stays until the next action replaces it; the alarm itself stays as it is.
void FrmMain::AlarmMissed(const Alarm& missed) {
  const std::string when =
      missed.id == 0 ? alarm.AlarmDate + " " + alarm.AlarmTime : WhenText(missed, false);
  const std::string text = "Alarm missed: " + when + " passed while the computer was asleep.";
  SetStatus(text);
  ui.SysTray.notify("Morvane", text);
}

}  // namespace morv
