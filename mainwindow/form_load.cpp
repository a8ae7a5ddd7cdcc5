#include <chrono>

#include "alarm/alarm_texts.h"
#include "alarm/alarm_time.h"
#include "alarm/date_text.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/main_form_design.h"
#include "mainwindow/system_menu.h"
#include "mainwindow/version.h"
#include "settings/registry_error_box.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

// Major, a dot, then minor and revision written together: 1.44.
std::string VersionText() {
  return std::to_string(MORV_VERSION_MAJOR) + "." + std::to_string(MORV_VERSION_MINOR) +
         std::to_string(MORV_VERSION_REVISION);
}

}  // namespace

void FrmMain::Form_Load() {
  ui.form.setCaption(ui.form.caption() + " " + VersionText());
  GraySystemMenuItem(desktop_.windows, ui.form.handle(), "&Close", 6);
  ui.cmdReset.setEnabled(false);

  // A saved alarm comes back unarmed (one that repeats is armed at the end). Both texts must
  // name a day and a minute: half an alarm restored would show a summary that promises what
  // it cannot keep.
  if (IsYes(RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                                   settings::kSettingsSaved))) {
    auto date = RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKey, settings::kDate);
    auto time = RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKey, settings::kTime);
    // The texts are shown as they were kept; what they name is read back once, here.
    const auto day = date ? ReadShortDate(desktop_.locale.shortDatePattern(), *date) : std::nullopt;
    const auto minute = time ? ReadAlarmTimeText(*time) : std::nullopt;
    if (day && minute) {
      alarmState_.first.date = day;
      alarmState_.first.time = minute;
      UpdateDue();
      alarm.AlarmDate = *date;
      alarm.AlarmTime = *time;
      StartupStatusText = texts::Summary(alarm.AlarmDate, alarm.AlarmTime);
      ui.lblDate.setCaption(alarm.AlarmDate);
      ui.txtTime.setText(alarm.AlarmTime);
      ui.mnuStartInSystemTray.setChecked(true);
      ui.mnuStartInSystemTray.setEnabled(false);
      ui.cmdReset.setEnabled(true);
    }
  }

  if (IsYes(RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                                   settings::kStartInTray))) {
    Tag = kInTray;
    cmdMin2Tray_Click();
  } else {
    ui.mnuStartInSystemTray.setChecked(false);
  }

  const auto loadPlayer =
      RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kWinAmpOnStart);
  if (!loadPlayer) {
    ShowRegistryErrorBox(desktop_.boxes);
    RequestClose();
    desktop_.program.end();
  }
  if (IsYes(loadPlayer)) {
    if (desktop_.processes.startProgram(winamp::kProgramPathAtLoad,
                                        WindowStyle::MinimizedNoFocus) == StartResult::Started) {
      SetStatus("WinAmp Activated!  Ready.");
    } else {
      SetStatus("Loading WinAmp Has Failed!");
      desktop_.clock.sleep(2000ms);
      desktop_.boxes.show({"ERROR LOADING WINAMP!",
                           "WinAmp couldn't be activated!\rMorvane will now terminate!",
                           MbIcon::Critical, MbButtons::Ok});
      RequestClose();
      desktop_.program.end();
    }
  } else {
    ui.mnuLoadWinAmpOnStart.setChecked(false);
  }

  desktop_.clock.sleep(1000ms);
  StartupDate = desktop_.clock.now().date;
  ui.MonthView.setDate(StartupDate);
  LoadRepeat();
  LoadListAlarms();
  LoadSnooze();
  LoadAlarmSound();
}

}  // namespace morv
