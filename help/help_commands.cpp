#include "alarm/alarm_texts.h"
#include "mainwindow/frm_main.h"

namespace morv {
namespace {

constexpr char kHelpTitle[] = "Morvane Help";
constexpr char kHelpDocument[] = "\\MORVHELP.DOC";
constexpr char kWordProcessor[] = "\\write.exe";

}  // namespace

// WordPad is started on the document the existence check has just found, wherever the
// program is installed: a fixed short path would name nothing on most machines.
void FrmMain::mnuContents_Click() {
  SetStatus("Attempting To Open Help Document. . .");
  ui.form.setMousePointer(MousePointer::Hourglass);
  const std::string document = desktop_.files.programFolder() + kHelpDocument;
  if (!desktop_.files.fileExists(document)) {
    desktop_.boxes.show(
        {kHelpTitle, "Document Could Not Be Found!", MbIcon::Critical, MbButtons::Ok});
    SetStatus(texts::kReady);
    ui.form.setMousePointer(MousePointer::Default);
    return;
  }
  const std::string command =
      "\"" + desktop_.files.systemFolder() + kWordProcessor + "\" \"" + document + "\"";
  // Whatever kept the word processor from starting, saying it started would be wrong.
  if (desktop_.processes.startCommandLine(command, WindowStyle::MaximizedFocus) ==
      StartResult::Started) {
    SetStatus("Help Document Was Started.  Ready.");
  } else {
    desktop_.boxes.show({kHelpTitle,
                         "Help Document, or Startup Component Not Found!\r\n"
                         "                     Please Re-Install!",
                         MbIcon::Critical, MbButtons::Ok});
    SetStatus(texts::kReady);
  }
  ui.form.setMousePointer(MousePointer::Default);
}

void FrmMain::mnuAbout_Click() {
  ui.MyTimer.setEnabled(false);
  desktop_.boxes.show({"About Morvane(tm)",
                       "Morvane\u2122 1.3  Copyright \u00a9 2026 Quorvix. All rights reserved.\r"
                       "Written by the Morvane team at Quorvix.\r"
                       "With thanks to:\r"
                       "\r"
                       "         Everyone who tried the early versions and told us what broke.",
                       MbIcon::Information, MbButtons::Ok});
  desktop_.boxes.show({"For Your Information!",
                       "For More Information E-mail: support@morvane.example", MbIcon::Information,
                       MbButtons::Ok});
  ui.MyTimer.setEnabled(true);
}

}  // namespace morv
