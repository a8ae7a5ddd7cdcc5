#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::mnuAlarmSound_Click() {}

}  // namespace morv
