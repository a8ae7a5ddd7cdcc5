#include "tools/uidriver/calendar.h"

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using namespace std::chrono;

constexpr UINT kTimeoutMs = 2000;
// Every hit test costs three round trips to the target (about a millisecond under Wine), so
// searches look coarsely first. Cells and buttons are well over this size.
constexpr int kScanStep = 4;
// Twenty years either way is more than any test needs to page through.
constexpr int kMaxPages = 240;

year_month_day toDate(const SYSTEMTIME& time) {
  return year{time.wYear} / month{time.wMonth} / day{time.wDay};
}

std::string text(year_month_day date) {
  char buffer[16];
  snprintf(buffer, sizeof(buffer), "%04d-%02u-%02u", static_cast<int>(date.year()),
           static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

struct Hit {
  POINT point;
  UINT what;
  year_month_day date;
  RECT cell;  // filled only with the Vista-sized structure
  int row;
  int column;
};

// A day cell of the month itself, not a greyed day of the months around it.
bool isMonthDay(const Hit& hit, year_month_day date) {
  return hit.what == MCHT_CALENDARDATE && hit.date == date;
}

bool isAnyDay(const Hit& hit) { return (hit.what & ~(MCHT_NEXT | MCHT_PREV)) == MCHT_CALENDARDATE; }

// MCM_HITTEST and friends with their structures in target memory.
class RemoteCalendar {
 public:
  explicit RemoteCalendar(HWND calendar)
      : calendar_(calendar),
        process_(openProcess(processOf(calendar))),
        buffer_(process_.get(), sizeof(MCHITTESTINFO) + 2 * sizeof(SYSTEMTIME)) {
    GetClientRect(calendar, &client_);
  }

  Hit hitTest(POINT point) {
    MCHITTESTINFO info{};
    info.cbSize = size_;
    info.pt = point;
    buffer_.store(info);
    const LRESULT result = send(MCM_HITTEST, 0, buffer_.param());
    if (static_cast<LONG>(result) == -1 && size_ != MCHITTESTINFO_V1_SIZE) {
      // Older comctl32 versions refuse the Vista-sized structure.
      size_ = MCHITTESTINFO_V1_SIZE;
      return hitTest(point);
    }
    info = buffer_.load<MCHITTESTINFO>();
    if (size_ == MCHITTESTINFO_V1_SIZE) info.rc = RECT{};
    return {point, info.uHit, toDate(info.st), info.rc, info.iRow, info.iCol};
  }

  // The first and last day of the months shown in full.
  std::pair<year_month_day, year_month_day> visibleMonths() {
    send(MCM_GETMONTHRANGE, GMR_VISIBLE, buffer_.param());
    const auto range = buffer_.load<std::array<SYSTEMTIME, 2>>();
    return {toDate(range[0]), toDate(range[1])};
  }

  year_month_day selection() {
    if (!send(MCM_GETCURSEL, 0, buffer_.param())) {
      throw DriverError(describeWindow(calendar_) + " has no selected date");
    }
    return toDate(buffer_.load<SYSTEMTIME>());
  }

  // The middle of the area that satisfies `wanted`, found by a coarse scan of the client area
  // row by row and then measured point by point.
  template <typename Wanted>
  std::optional<POINT> find(Wanted wanted) {
    for (int y = kScanStep / 2; y < client_.bottom; y += kScanStep) {
      for (int x = kScanStep / 2; x < client_.right; x += kScanStep) {
        const Hit hit = hitTest({x, y});
        if (wanted(hit)) return middle(hit, wanted);
      }
    }
    return std::nullopt;
  }

  // The cell of `date`. Day cells form a grid of seven columns in date order, so from any one
  // cell with its rectangle the wanted one is computed, then checked; a full scan is the
  // fallback for layouts that do not fit (several months side by side).
  std::optional<POINT> findDay(year_month_day date) {
    for (int y = 1; y < client_.bottom; y += 2) {
      const Hit anchor = hitTest({client_.right / 2, y});
      if (!isAnyDay(anchor)) continue;
      if (IsRectEmpty(&anchor.cell)) break;
      const int width = anchor.cell.right - anchor.cell.left;
      const int height = anchor.cell.bottom - anchor.cell.top;
      const int index =
          anchor.row * 7 + anchor.column + (sys_days(date) - sys_days(anchor.date)).count();
      const int row = index >= 0 ? index / 7 : (index - 6) / 7;
      const int column = index - row * 7;
      const POINT guess{anchor.cell.left + (column - anchor.column) * width + width / 2,
                        anchor.cell.top + (row - anchor.row) * height + height / 2};
      if (isMonthDay(hitTest(guess), date)) return guess;
      break;
    }
    return find([&](const Hit& hit) { return isMonthDay(hit, date); });
  }

 private:
  template <typename Wanted>
  POINT middle(const Hit& hit, Wanted wanted) {
    if (!IsRectEmpty(&hit.cell) && PtInRect(&hit.cell, hit.point)) {
      return {(hit.cell.left + hit.cell.right) / 2, (hit.cell.top + hit.cell.bottom) / 2};
    }
    const auto reach = [&](int dx, int dy) {
      POINT edge = hit.point;
      while (true) {
        const POINT next{edge.x + dx, edge.y + dy};
        if (!PtInRect(&client_, next) || !wanted(hitTest(next))) return edge;
        edge = next;
      }
    };
    return {(reach(-1, 0).x + reach(1, 0).x) / 2, (reach(0, -1).y + reach(0, 1).y) / 2};
  }

  LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(calendar_, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs,
                             &result)) {
      throw DriverError("the calendar " + describeWindow(calendar_) +
                        " did not answer (its program is busy)");
    }
    return static_cast<LRESULT>(result);
  }

  HWND calendar_;
  win32::UniqueProcessHandle process_;
  RemoteBuffer buffer_;
  RECT client_{};
  UINT size_ = sizeof(MCHITTESTINFO);
};

void showMonthOf(HWND calendar, RemoteCalendar& remote, year_month_day date, milliseconds settle) {
  std::optional<POINT> next, previous;
  for (int page = 0; page < kMaxPages; ++page) {
    const auto [first, last] = remote.visibleMonths();
    if (date >= first && date <= last) return;
    const bool forward = date > last;
    auto& button = forward ? next : previous;
    const UINT wanted = forward ? MCHT_TITLEBTNNEXT : MCHT_TITLEBTNPREV;
    if (!button) button = remote.find([&](const Hit& hit) { return hit.what == wanted; });
    if (!button) {
      throw DriverError("found no " + std::string(forward ? "next" : "previous") +
                        " month button on " + describeWindow(calendar));
    }
    clickAt(calendar, button->x, button->y, settle);
  }
  throw DriverError("the calendar did not reach " + text(date) + " after " +
                    std::to_string(kMaxPages) + " pages");
}

}  // namespace

void calendarClickDate(HWND calendar, year_month_day date, milliseconds settle) {
  if (!date.ok()) throw DriverError("cannot click an invalid date on a calendar");
  requireUsable(calendar, "click a date on");
  if (lstrcmpiA(className(calendar).c_str(), MONTHCAL_CLASSA) != 0) {
    throw DriverError(describeWindow(calendar) + " is not a month calendar");
  }
  RemoteCalendar remote(calendar);
  showMonthOf(calendar, remote, date, settle);
  const auto cell = remote.findDay(date);
  if (!cell) {
    throw DriverError("found no cell for " + text(date) + " on " + describeWindow(calendar));
  }
  clickAt(calendar, cell->x, cell->y, settle);
}

year_month_day calendarSelection(HWND calendar) {
  if (!IsWindow(calendar)) throw DriverError("cannot read a calendar that does not exist");
  RemoteCalendar remote(calendar);
  return remote.selection();
}

}  // namespace morv::uidriver
