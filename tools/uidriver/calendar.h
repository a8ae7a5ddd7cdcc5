#pragma once
// Using a SysMonthCal32 of another process as a user does: by clicking its day cells and its
// next/previous month buttons.
#include <windows.h>

#include <chrono>

#include "tools/uidriver/input.h"

namespace morv::uidriver {

// Clicks the day cell of `date`, first clicking the next or previous month button until that
// month is shown. The calendar then notifies its parent (MCN_SELCHANGE, MCN_SELECT) as for a
// user's click. Throws when the calendar cannot be used or the cell is not found.
void calendarClickDate(HWND calendar, std::chrono::year_month_day date,
                       std::chrono::milliseconds settle = kSettle);

std::chrono::year_month_day calendarSelection(HWND calendar);

}  // namespace morv::uidriver
