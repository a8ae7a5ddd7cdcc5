#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::mnuSnoozeComesBack_Click(int) {}

void FrmMain::mnuEndSnooze_Click() {}

}  // namespace morv
