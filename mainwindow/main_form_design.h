#pragma once
// The main window as it looks before its load runs: every caption, tooltip, check
// mark and enabled state a new window starts with.
#include "mainwindow/main_form_controls.h"

namespace morv {

inline constexpr char kDesignCaption[] = "Morvane(tm) ";
// The status panel's first text, which is also its tooltip for good.
inline constexpr char kStatusDesignText[] = "Look Here For Important Information";
// Tooltips that never change, so they live with the window rather than the handlers.
inline constexpr char kTimeBoxTip[] =
    "Click Here To Edit Time; Leave Off AM/PM.  You'll Be Prompted For It.";
inline constexpr char kCalendarTip[] = "Select Your Alarm Date.";

void ApplyDesignTimeState(MainFormControls& ui);

}  // namespace morv
