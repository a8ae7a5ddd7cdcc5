#include "tools/uidriver/calendar.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "tools/uidriver/input.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using namespace std::chrono;

year_month_day ToDate(const SYSTEMTIME& time) {
  return year{time.wYear} / month{time.wMonth} / day{time.wDay};
}

}  // namespace

void calendarClickDate(HWND calendar, year_month_day date) {
  requireUsable(calendar, "click a date on");
  RemoteBuffer buffer(processOf(calendar), sizeof(MCHITTESTINFO) + 2 * sizeof(SYSTEMTIME));
  // Each hit test costs three round trips (about a millisecond under Wine), so cells are
  // computed, not scanned for.
  const auto hitTest = [&](int x, int y) {
    // Wine fills the cell's rectangle, row and column with this size.
    const MCHITTESTINFO info{.cbSize = sizeof(info), .pt = {x, y}};
    buffer.store(info);
    buffer.send(calendar, MCM_HITTEST, 0, 2000);
    return buffer.load<MCHITTESTINFO>();
  };
  RECT client{};
  GetClientRect(calendar, &client);
  for (int page = 0;; ++page) {
    buffer.send(calendar, MCM_GETMONTHRANGE, GMR_VISIBLE, 2000);
    const auto shown = buffer.load<std::array<SYSTEMTIME, 2>>();
    const bool forward = date > ToDate(shown[1]);
    if (!forward && date >= ToDate(shown[0])) break;
    if (page == 24) throw DriverError("the calendar did not page to the month of the date");
    // The month buttons sit in the title, at the top.
    const UINT wanted = forward ? MCHT_TITLEBTNNEXT : MCHT_TITLEBTNPREV;
    POINT button{-1, -1};
    for (int y = 2; y < client.bottom / 3 && button.x < 0; y += 4) {
      for (int x = 2; x < client.right && button.x < 0; x += 4) {
        if (hitTest(x, y).uHit == wanted) button = {x, y};
      }
    }
    if (button.x < 0) throw DriverError("no month button on " + describeWindow(calendar));
    clickAt(calendar, button.x, button.y);
  }
  // Day cells form a grid of seven columns in date order: from any one cell and its rectangle
  // the wanted one is computed, then checked.
  for (int y = 1; y < client.bottom; y += 2) {
    const MCHITTESTINFO anchor = hitTest(client.right / 2, y);
    if ((anchor.uHit & ~(MCHT_NEXT | MCHT_PREV)) != MCHT_CALENDARDATE) continue;
    const int width = anchor.rc.right - anchor.rc.left;
    const int height = anchor.rc.bottom - anchor.rc.top;
    const int index = anchor.iCol + (sys_days(date) - sys_days(ToDate(anchor.st))).count();
    const int rows = index >= 0 ? index / 7 : (index - 6) / 7;
    const int x = anchor.rc.left + (index - rows * 7 - anchor.iCol) * width + width / 2;
    const int cellY = anchor.rc.top + rows * height + height / 2;
    const MCHITTESTINFO cell = hitTest(x, cellY);
    if (cell.uHit != MCHT_CALENDARDATE || ToDate(cell.st) != date) break;
    clickAt(calendar, x, cellY);
    return;
  }
  throw DriverError("found no cell for the date on " + describeWindow(calendar));
}

}  // namespace morv::uidriver
