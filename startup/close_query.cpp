#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::cmdExit_Click() { RequestClose(); }

void FrmMain::mnuExit_Click() { RequestClose(); }

// Every request to close the main window arrives here. For now every close is
// accepted at once; the questions before closing belong here too.
void FrmMain::Form_QueryUnload(bool& cancel) { cancel = false; }

void FrmMain::RequestClose() {
  bool cancel = false;
  Form_QueryUnload(cancel);
  if (cancel) return;
  desktop_.program.end();
}

}  // namespace morv
