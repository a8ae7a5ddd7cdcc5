#pragma once
// The start of the program, up to the moment the main window carries the run.
#include <functional>

#include "mainwindow/frm_main.h"
#include "platform/desktop.h"
#include "settings/settings_store.h"
#include "startup/intro_form.h"

namespace morv {

class FrmIntro {
 public:
  // Creates the main window, hidden, in its design state; its load has not run.
  using MainFormCreator = std::function<FrmMain&()>;

  FrmIntro(Desktop& desktop, IntroFormControls& controls, MainFormCreator createMainForm)
      : desktop_(desktop),
        ui_(controls),
        createMainForm_(std::move(createMainForm)),
        RegistryDB(desktop.registry) {}

  void Form_Load();
  // The splash's progress step.
  void MyTimer_Timer();

 private:
  void WriteFirstStartDefaults();
  void RunSplash();
  void HandOver();

  Desktop& desktop_;
  IntroFormControls& ui_;
  MainFormCreator createMainForm_;
  SettingsStore RegistryDB;
};

}  // namespace morv
