#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::mnuAlarms_Click() {}

}  // namespace morv
