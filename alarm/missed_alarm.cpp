#include "mainwindow/frm_main.h"

namespace morv {

// The status text stays until the next action replaces it; the alarm itself stays as it is.
void FrmMain::AlarmMissed() {
  const std::string text = "Alarm missed: " + alarm.AlarmDate + " " + alarm.AlarmTime +
                           " passed while the computer was asleep.";
  SetStatus(text);
  ui.SysTray.notify("Morvane", text);
}

}  // namespace morv
