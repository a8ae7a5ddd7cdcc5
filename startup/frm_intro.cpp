#include "startup/frm_intro.h"

#include <chrono>

#include "settings/registry_error_box.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

void EnableHandOverItems(MainFormControls& ui, bool on) {
  ui.cmdExit.setEnabled(on);
  ui.cmdMin2Tray.setEnabled(on);
  ui.cmdSet.setEnabled(on);
  ui.mnuHelp.setEnabled(on);
  ui.mnuSettings.setEnabled(on);
  ui.MonthView.setEnabled(on);
}

}  // namespace

void FrmIntro::Form_Load() {
  WriteFirstStartDefaults();
  main_.Form_Load();
  HandOver();
}

// The main window's load cannot run without both options, so a start that finds
// either missing is a first start. An option that is already there is the user's
// choice and is left as it is.
void FrmIntro::WriteFirstStartDefaults() {
  auto missing = [this](const char* name) {
    return !RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, name);
  };
  const bool trayMissing = missing(settings::kStartInTray);
  const bool playerMissing = missing(settings::kWinAmpOnStart);
  if (!trayMissing && !playerMissing) return;

  auto fail = [this] {
    ShowRegistryErrorBox(desktop_.boxes);
    desktop_.program.end();
  };
  if (!RegistryDB.CreateSettingsKey(Hive::LocalMachine, settings::kKey)) fail();
  if (trayMissing && !RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                                              settings::kStartInTray, settings::kNo)) {
    fail();
  }
  if (playerMissing && !RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                                                settings::kWinAmpOnStart, settings::kNo)) {
    fail();
  }
}

void FrmIntro::HandOver() {
  MainFormControls& ui = main_.ui;
  EnableHandOverItems(ui, false);
  desktop_.clock.sleep(1000ms);
  if (!main_.Tag.empty()) {
    main_.Tag.clear();
  } else {
    ui.form.show();
  }
  EnableHandOverItems(ui, true);
  ui.StatusBar1.setText(main_.StartupStatusText);
  if (!ui.SysTray.iconVisible()) ui.cmdSet.setFocus();
}

}  // namespace morv
