#include "alarm/alarm_texts.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"
#include "winamp/winamp_access.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

// The word processor the help document opens in; it is minimised, not closed, so the
// document a user is reading survives the program.
constexpr char kWordProcessorClass[] = "WordPadClass";

MessageBoxRequest Question(const char* title, const char* text) {
  return {title, text, MbIcon::Question, MbButtons::YesNo};
}

}  // namespace

void FrmMain::cmdExit_Click() { RequestClose(); }

void FrmMain::mnuExit_Click() { RequestClose(); }

// Every request to close the main window arrives here. An accepted close ends the
// program inside this call; a refused one leaves everything running.
void FrmMain::Form_QueryUnload(bool& cancel) {
  // Marked open for as long as the questions run, so no second query can stack on it.
  struct Open {
    explicit Open(bool& flag) : flag_(flag) { flag_ = true; }
    ~Open() { flag_ = false; }
    bool& flag_;
  } open(closeQuery_.open);
  ui.MyTimer.setEnabled(false);
  SetStatus("Shutdown Query. . .");
  if (desktop_.boxes.show(Question(
          "Close Morvane?", "Are You Sure You Want To Close The Program?")) != MbAnswer::Yes) {
    cancel = true;
    ui.MyTimer.setEnabled(true);
    SetStatus(texts::kReady);
    return;
  }
  EndRingByUser();

  // A failed write ends the program at once: the writes after it, the player and the
  // word processor are left as they are.
  auto write = [this](const char* name, const std::string& text) {
    if (RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, name, text)) return;
    ShowRegistryErrorBox(desktop_.boxes);
    desktop_.program.end();
  };
  if (!alarm.AlarmDate.empty() && !alarm.AlarmTime.empty()) {
    if (desktop_.boxes.show(Question(
            "Save Settings?", "You Have Set The Alarm, Would You Like To Save The Settings?")) ==
        MbAnswer::No) {
      write(settings::kSettingsSaved, settings::kNo);
    } else {
      write(settings::kSettingsSaved, settings::kYes);
      write(settings::kDate, alarm.AlarmDate);
      write(settings::kTime, alarm.AlarmTime);
    }
  }

  const WindowHandle wordProcessor = desktop_.windows.findWindow(kWordProcessorClass);
  WinampWindow = desktop_.windows.findWindow(winamp::kWindowClass);
  if (WinampWindow != 0 && desktop_.boxes.show(Question(
                               "Close WinAmp?", "Do You Want To Close WinAmp?")) == MbAnswer::Yes) {
    WinampClose(desktop_, winamp::kWindowClass);
  }
  if (wordProcessor != 0) desktop_.windows.closeWindow(wordProcessor);
  desktop_.program.end();
}

// Windows ends the session although nobody answered the close query. A repeating alarm
// is the one the user counts on every morning without a look at the screen, so it is kept
// for the next start; a one-off alarm is kept only when the user says so.
void FrmMain::Form_SessionEnds() {
  EndRingByUser();
  const Alarm& first = alarmState_.first;
  if (first.armed && first.repeat.any() && !alarm.AlarmDate.empty() && !alarm.AlarmTime.empty()) {
    // Nobody is left to read a box: a write that fails fails quietly.
    for (const auto& [name, text] : {std::pair{settings::kSettingsSaved, std::string(settings::kYes)},
                                     std::pair{settings::kDate, alarm.AlarmDate},
                                     std::pair{settings::kTime, alarm.AlarmTime}}) {
      if (!RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, name, text)) break;
    }
  }
  desktop_.program.end();
}

// A request while the query is open is answered by that query.
void FrmMain::RequestClose() {
  if (closeQuery_.open) return;
  bool cancel = false;
  Form_QueryUnload(cancel);
}

}  // namespace morv
