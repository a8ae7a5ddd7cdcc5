#include "alarm/alarm_texts.h"
#include "mainwindow/frm_main.h"

namespace morv {
namespace {

constexpr char kTipSetNotActivated[] = "Morvane(tm) - Alarm Is Set, But Not Activated.";
constexpr char kTipOptions[] = "Morvane(tm) - Right Click For Options";

std::string UpperTail(const std::string& text, size_t count) {
  std::string tail = text.size() > count ? text.substr(text.size() - count) : text;
  for (char& c : tail) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return tail;
}

}  // namespace

void FrmMain::cmdMin2Tray_Click() {
  if (!alarm.FiredMark.empty()) ui.mnuSetAlarm.setEnabled(false);
  ui.form.minimize();
  ui.form.hide();

  const std::string caption = ui.cmdSet.caption();
  if (caption == texts::kTurnOn && !ui.cmdReset.enabled() && !alarm.AlarmTime.empty() &&
      !alarm.AlarmDate.empty()) {
    ui.SysTray.setToolTipText(kTipSetNotActivated);
    ui.SysTray.setIconIndex(texts::kIconSet);
  } else {
    ui.SysTray.setToolTipText(kTipOptions);
    // Later tests win over earlier ones; when none hits the picture stays as it was.
    const std::string status = ui.StatusBar1.text();
    if (caption != texts::kTurnOff) ui.SysTray.setIconIndex(texts::kIconNoAlarm);
    if (caption == texts::kTurnOff && alarm.ArmedMark == kArmed) {
      ui.SysTray.setIconIndex(texts::kIconActivated);
    }
    if (UpperTail(status, 4) == "SET." || UpperTail(status, 3) == "SET") {
      ui.SysTray.setIconIndex(texts::kIconSet);
    }
  }
  ShowNextAlarm();
  ui.SysTray.setIconVisible(true);
  // In the tray the clock must go on, or the alarm could not ring.
  ui.MyTimer.setEnabled(true);
}

void FrmMain::SysTray_TrayClick(int button) {
  if (button != kRightButton) return;
  // The pop-up menu closes when the user clicks elsewhere only if its owner is the
  // foreground window, hidden in the tray or not.
  desktop_.windows.setForegroundWindow(ui.form.handle());
  ui.form.popUpMenu(ui.mnuOptions);
}

void FrmMain::mnuShowApp_Click() {
  ui.form.show();
  ui.form.repaint();
  ui.SysTray.setIconVisible(false);
  desktop_.windows.showWindow(ui.form.handle(), ShowCommand::ShowNormal);
}

void FrmMain::mnuPopUpHelp_Click() { mnuContents_Click(); }

}  // namespace morv
