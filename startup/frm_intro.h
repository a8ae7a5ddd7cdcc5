#pragma once
// The start of the program, up to the moment the main window carries the run.
#include "mainwindow/frm_main.h"
#include "platform/desktop.h"
#include "settings/settings_store.h"

namespace morv {

class FrmIntro {
 public:
  // `main` is created but not loaded: its window exists, hidden, in its design state.
  FrmIntro(Desktop& desktop, FrmMain& main)
      : desktop_(desktop), main_(main), RegistryDB(desktop.registry) {}

  void Form_Load();

 private:
  void WriteFirstStartDefaults();
  void HandOver();

  Desktop& desktop_;
  FrmMain& main_;
  SettingsStore RegistryDB;
};

}  // namespace morv
