#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::AlarmMissed() {
  SetStatus("Alarm missed: " + alarm.AlarmDate + " " + alarm.AlarmTime +
            " passed while the computer was asleep.");
}

}  // namespace morv
