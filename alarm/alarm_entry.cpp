#include "alarm/alarm_texts.h"
#include "alarm/alarm_time.h"
#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::MonthView_DateClick(const CalendarDate& date) {
  ui.MyTimer.setEnabled(false);
  if (date < desktop_.clock.now().date) {
    desktop_.boxes.show({"Date Selected Has Passed Already!",
                         "You Cannot Choose A Date In The Past!", MbIcon::Critical, MbButtons::Ok});
    ui.MonthView.setDate(StartupDate);
  } else {
    ui.cmdReset.setEnabled(true);
    alarmState_.first.date = date;
    UpdateDue();
    ui.lblDate.setCaption(desktop_.locale.shortDate(date));
    alarm.AlarmDate = ui.lblDate.caption();
    if (!alarm.AlarmTime.empty()) SetStatus(texts::Summary(ui.lblDate.caption(), alarm.AlarmTime));
  }
  ui.MyTimer.setEnabled(true);
}

void FrmMain::txtTime_Click() {
  ui.MyTimer.setEnabled(false);
  ui.txtTime.setReadOnly(false);
  SetStatus(texts::kValidating);
}

void FrmMain::txtTime_Validate(bool& cancel) {
  const RunningFlag running(alarmState_.validating);
  if (!running.entered()) return;

  ui.MyTimer.setEnabled(false);
  const auto typed = ReadTypedTime(ui.txtTime.text());
  if (!typed) {
    const MbAnswer answer = desktop_.boxes.show(
        {"Validation Results:", "Incorrect Format!  Click OK To Try Again, Cancel To Exit",
         MbIcon::Exclamation, MbButtons::OkCancel, 1});
    if (answer == MbAnswer::Ok) {
      cancel = true;
    } else {
      ui.MyTimer.setEnabled(true);
      SetStatus(texts::kReady);
    }
    return;
  }

  const MbAnswer am = desktop_.boxes.show({"AM/PM Query:", "Click 'Yes' For 'AM' and 'No' For 'PM'",
                                           MbIcon::Question, MbButtons::YesNo, 1});
  alarmState_.first.time = TimeOfTyped(*typed, am == MbAnswer::Yes);
  UpdateDue();
  alarm.AlarmTime = AlarmTimeText(*alarmState_.first.time);
  ui.txtTime.setText(alarm.AlarmTime);
  SetStatus(alarm.AlarmDate.empty() ? texts::SummaryWithoutDate(alarm.AlarmTime)
                                    : texts::Summary(ui.lblDate.caption(), alarm.AlarmTime));
  ui.cmdSet.setFocus();
}

}  // namespace morv
