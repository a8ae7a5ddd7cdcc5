#include "mainwindow/frm_main.h"

namespace morv {

FrmMain::FrmMain(Desktop& desktop, MainFormControls& controls)
    : ui(controls), desktop_(desktop), RegistryDB(desktop.registry) {}

}  // namespace morv
