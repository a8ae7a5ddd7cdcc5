#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"

namespace morv {

void FrmMain::mnuStartInSystemTray_Click() {
  // Each failed write asks to close; when the user keeps the program open, the
  // other write is still attempted and the status still set.
  auto write = [this](const char* key, const char* name, const char* text) {
    if (!RegistryDB.WriteSetting(Hive::LocalMachine, key, name, text)) {
      ShowRegistryErrorBox(desktop_.boxes);
      RequestClose();
    }
  };
  if (ui.mnuStartInSystemTray.checked()) {
    ui.mnuStartInSystemTray.setChecked(false);
    write(settings::kKeyWithSlash, settings::kStartInTray, settings::kNo);
    write(settings::kRunKey, settings::kRunValue, settings::kRunPathOff);
    SetStatus("Morvane Will Not Start With Windows.  Ready.");
  } else {
    ui.mnuStartInSystemTray.setChecked(true);
    write(settings::kRunKey, settings::kRunValue, settings::kRunPath);
    write(settings::kKeyWithSlash, settings::kStartInTray, settings::kYes);
    SetStatus("MORV Will Minimize To The System Tray Upon Start.  Ready.");
  }
}

}  // namespace morv
