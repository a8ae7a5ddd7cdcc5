#include "mainwindow/main_form_design.h"

#include <chrono>

#include "alarm/alarm_texts.h"

namespace morv {
namespace {

void Caption(Button& button, const char* caption, const char* tip) {
  button.setCaption(caption);
  button.setToolTip(tip);
  button.setEnabled(true);
}

void Item(MenuItem& item, const char* caption, bool checked = false) {
  item.setCaption(caption);
  item.setChecked(checked);
  item.setEnabled(true);
}

}  // namespace

void ApplyDesignTimeState(MainFormControls& ui) {
  ui.form.setCaption(kDesignCaption);
  Caption(ui.cmdExit, "E&xit", "Exit Morvane.");
  Caption(ui.cmdMin2Tray, "Send To &Tray", "Sends Morvane To The System Tray.");
  Caption(ui.cmdSet, texts::kTurnOn, texts::kTipActivate);
  Caption(ui.cmdReset, "&Clear", "Click Here To Clear The Settings.");
  ui.txtTime.setReadOnly(true);
  ui.txtTime.setEnabled(true);
  ui.MonthView.setEnabled(true);
  ui.StatusBar1.setText(kStatusDesignText);
  ui.Label1.setCaption("Date Selected:");
  ui.Label2.setCaption("Time: (Click To Edit) [Format: HH:MM]");
  ui.lblDate.setCaption("");

  Item(ui.mnuSettings, "S&ettings");
  Item(ui.mnuStartInSystemTray, "&Start In System Tray", true);
  Item(ui.mnuLoadWinAmpOnStart, "Load &Winamp On Start", true);
  Item(ui.mnuSnoozeOff, "&Off", true);
  Item(ui.mnuSnooze5, "&5 Minutes");
  Item(ui.mnuSnooze9, "&9 Minutes");
  Item(ui.mnuSnooze10, "1&0 Minutes");
  Item(ui.mnuSnooze15, "&15 Minutes");
  Item(ui.mnuHelp, "&Help");
  Item(ui.mnuContents, "&Contents");
  Item(ui.mnuAbout, "&About");
  Item(ui.mnuOptions, "Options");
  Item(ui.mnuShowApp, "&Show Morvane");
  Item(ui.mnuStartWinAmp, "Start &WinAmp");
  Item(ui.mnuCloseWinAmp, texts::kCloseWinAmp);
  Item(ui.mnuSetAlarm, "Se&t Alarm");
  Item(ui.mnuEndSnooze, "Turn Alarm &Off");
  ui.mnuEndSnooze.setVisible(false);
  Item(ui.mnuPopUpHelp, "&Help");
  Item(ui.mnuExit, "E&xit");

  ui.MyTimer.setInterval(std::chrono::milliseconds(1000));
  ui.MyTimer.setEnabled(true);
  ui.RingTimer.setInterval(std::chrono::milliseconds(1000));
  ui.RingTimer.setEnabled(false);
  ui.SysTray.setIconVisible(false);
}

}  // namespace morv
