#include "startup/frm_intro.h"

#include <chrono>

#include "settings/registry_error_box.h"
#include "startup/single_instance.h"
#include "startup/winamp_check.h"

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
  if (ActivatePreviousInstance(desktop_)) desktop_.program.end();
  if (!WinampCheckPasses(desktop_.files, RegistryDB)) {
    ShowWinampMissingBoxes(desktop_.boxes);
    desktop_.program.end();
  }
  WriteFirstStartDefaults();
  RunSplash();
  HandOver();
}

void FrmIntro::MyTimer_Timer() {
  ui_.ProgressBar1.setValue(ui_.ProgressBar1.value() + 1);
  ui_.form.repaint();
  ui_.form.show();
}

// The main window's load cannot run without both options, so a start that finds
// either unreadable is a first start. An option that is already there is the user's
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

// Waits for each tick rather than spinning: the splash costs next to nothing. Setting
// the interval it already has, or enabling the running timer, leaves its countdown be.
void FrmIntro::RunSplash() {
  ProgressBar& bar = ui_.ProgressBar1;
  bar.setMaximum(kSplashSteps);
  ui_.MyTimer.setInterval(kFastStep);
  while (bar.value() != bar.maximum()) {
    if (bar.value() == bar.maximum() - kSlowSplashSteps) ui_.MyTimer.setInterval(kSlowStep);
    if (bar.value() == 0) ui_.MyTimer.setEnabled(true);
    desktop_.program.waitForEvents();
  }
}

void FrmIntro::HandOver() {
  ui_.MyTimer.setEnabled(false);
  FrmMain& main = createMainForm_();
  main.Form_Load();
  ui_.form.hide();
  MainFormControls& ui = main.ui;
  // A repeating alarm comes back armed, its calendar locked: the pause must not unlock it.
  const bool calendarOn = ui.MonthView.enabled();
  EnableHandOverItems(ui, false);
  desktop_.clock.sleep(1000ms);
  if (!main.Tag.empty()) {
    main.Tag.clear();
  } else {
    ui.form.show();
  }
  EnableHandOverItems(ui, true);
  ui.MonthView.setEnabled(calendarOn);
  ui.StatusBar1.setText(main.StartupStatusText);
  if (!ui.SysTray.iconVisible()) ui.cmdSet.setFocus();
}

}  // namespace morv
