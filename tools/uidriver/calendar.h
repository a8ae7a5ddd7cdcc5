#pragma once
// A SysMonthCal32 of another process, used as a user does: by clicking its day cells and its
// month buttons. The calendar then notifies its parent (MCN_SELECT) as for a real click.
#include <windows.h>

#include <chrono>

namespace morv::uidriver {

// Pages to the month of `date` with the month buttons and clicks its day.
void calendarClickDate(HWND calendar, std::chrono::year_month_day date);

}  // namespace morv::uidriver
