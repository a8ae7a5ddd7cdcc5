// What only Windows itself can show: the list view's own check boxes and keys reaching
// the core's events, the change box's controls giving back what they were given, and an
// invisible menu item leaving its menu and coming back to its place.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/alarms_dialog_win.h"
#include "platform/win32/controls_win.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

const AlarmEdit kGym{.date = {2026, 12, 8},
                     .hour = 6,
                     .minute = 30,
                     .days = Weekdays{0b0000100},
                     .label = "Gym \xe2\x9c\x93",
                     .music = "C:\\Music\\wake.m3u",
                     .riseSeconds = 120};

std::string Said(const AlarmEdit& e) {
  return std::to_string(e.date.year) + "-" + std::to_string(e.date.month) + "-" +
         std::to_string(e.date.day) + " " + std::to_string(e.hour) + ":" +
         std::to_string(e.minute) + " " + e.days.to_string() + " " + e.label + " " + e.music + " " +
         std::to_string(e.riseSeconds);
}

// The core's side, writing down what reached it.
struct Alarms : AlarmsDialogEvents {
  AlarmsDialogWin dialog;
  std::vector<AlarmRow> shown{{true, "Mon 6:30 AM", "Monday To Friday", "Work"},
                              {false, "", "Once", "Gym"}};
  std::vector<std::string> log;
  int refusals = 1;
  std::vector<AlarmRow> rows() override { return shown; }
  std::string nextAlarm() override { return shown[0].on ? "Next: Work" : "No alarm is on."; }
  void toggled(int row, bool on) override {
    log.push_back("toggled " + std::to_string(row) + (on ? " on" : " off"));
    shown[row].on = on;
  }
  void add() override {
    log.push_back("add");
    const auto entry = dialog.edit("Add Alarm", kGym, AlarmEditFields::All, [&](const AlarmEdit&) {
      log.push_back("accept");
      return refusals-- <= 0;
    });
    if (!entry) return;
    log.push_back(Said(*entry));
    shown.push_back({true, "", "Every Day", entry->label});
  }
  void change(int row) override { log.push_back("change " + std::to_string(row)); }
  void remove(int row) override {
    log.push_back("remove " + std::to_string(row));
    shown.erase(shown.begin() + row);
  }
};

// The enabled box of this thread: the list, or the change box over it.
HWND TopBox() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM out) {
        char name[16] = {};
        GetClassNameA(window, name, sizeof(name));
        if (std::string(name) == "#32770" && IsWindowEnabled(window)) {
          *reinterpret_cast<HWND*>(out) = window;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// What the list shows: each row's label and tick, the selection, Edit and the next alarm.
std::string Shown(HWND box) {
  HWND list = GetDlgItem(box, IDC_ALARMS_LIST);
  std::string shown;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    wchar_t label[64] = {};
    LVITEMW item{};
    item.iSubItem = 2;
    item.pszText = label;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    shown += Utf8(label) + (ListView_GetCheckState(list, row) ? "+ " : "- ");
  }
  return shown + "| row " + std::to_string(ListView_GetNextItem(list, -1, LVNI_SELECTED)) +
         (IsWindowEnabled(GetDlgItem(box, IDC_ALARMS_EDIT)) ? " | Edit" : " | no Edit") + " | " +
         WindowText(GetDlgItem(box, IDC_ALARMS_NEXT));
}

struct Script {
  std::vector<std::function<void(HWND)>> steps;
  size_t next = 0;
};

void Key(HWND box, WPARAM key) {
  PostMessageW(GetDlgItem(box, IDC_ALARMS_LIST), WM_KEYDOWN, key, 0);
}
void Press(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// One step a tick: a step's posted input is handled before the next tick comes. A box
// left open by a failing step is ended rather than waited on.
void CALLBACK Tick(HWND carrier, UINT, UINT_PTR, DWORD) {
  auto& script = *reinterpret_cast<Script*>(GetWindowLongPtrW(carrier, GWLP_USERDATA));
  HWND box = TopBox();
  if (!box) return;
  if (script.next < script.steps.size()) {
    script.steps[script.next++](box);
  } else if (++script.next > script.steps.size() + 100) {
    EndDialog(box, IDCANCEL);
  }
}

TEST(AlarmsDialogWinTest, TheListAndTheChangeBoxPassEveryWishOn) {
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&classes);
  Alarms alarms;
  const auto look = [&](HWND box) { alarms.log.push_back(Shown(box)); };
  Script script{{
      look,
      [](HWND box) { Key(box, VK_SPACE); },
      look,
      [](HWND box) { Key(box, VK_RETURN); },
      [](HWND box) { Key(box, VK_DOWN); },
      [](HWND box) { Key(box, VK_DELETE); },
      look,
      [](HWND box) { Press(box, IDC_ALARMS_ADD); },
      [](HWND box) { Press(box, IDC_REPEAT_EVERY_DAY); },
      [](HWND box) { Press(box, IDOK); },  // refused: the box stays
      [](HWND box) { Press(box, IDOK); },
      look,
      [](HWND box) { Key(box, VK_ESCAPE); },
  }};
  UniqueHwnd carrier(
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
  SetWindowLongPtrW(carrier.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&script));
  SetTimer(carrier.get(), 1, 20, Tick);

  alarms.dialog.show(alarms);
  KillTimer(carrier.get(), 1);

  EXPECT_EQ(alarms.log, (std::vector<std::string>{
                            "Work+ Gym- | row 0 | Edit | Next: Work",
                            "toggled 0 off",
                            "Work- Gym- | row 0 | Edit | No alarm is on.",
                            "change 0",
                            "remove 1",
                            "Work- | row -1 | no Edit | No alarm is on.",
                            "add",
                            "accept",
                            "accept",
                            "2026-12-8 6:30 1111111 Gym \xe2\x9c\x93 C:\\Music\\wake.m3u 120",
                            "Work- Gym \xe2\x9c\x93+ | row -1 | no Edit | No alarm is on.",
                        }));
  EXPECT_EQ(script.next, script.steps.size()) << "the list closed before its last step";
}

std::string Ids(HMENU menu) {
  std::string ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids += std::to_string(GetMenuItemID(menu, i));
  return ids;
}

TEST(AlarmsDialogWinTest, AnInvisibleMenuItemLeavesAndComesBackBehindTheItemItFollowed) {
  // Like the tray's menu: the items in a submenu, looked up by command from its holder.
  UniqueHmenu holder(CreatePopupMenu());
  HMENU menu = CreatePopupMenu();
  AppendMenuW(holder.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(menu), L"Options");
  for (UINT id : {1, 2, 3}) AppendMenuW(menu, MF_STRING, id, L"item");
  MenuItemWin item = MenuItemWin::Command(holder.get(), 2);

  item.setVisible(false);
  EXPECT_EQ(Ids(menu), "13");
  EXPECT_FALSE(item.visible());
  item.setCaption("Turn Alarm &Off");
  item.setChecked(true);
  item.setEnabled(false);
  InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 9, L"new first");

  item.setVisible(true);
  EXPECT_EQ(Ids(menu), "9123");
  EXPECT_TRUE(item.visible());
  wchar_t caption[32] = {};
  GetMenuStringW(menu, 2, caption, 32, MF_BYCOMMAND);
  EXPECT_EQ(Utf8(caption), "Turn Alarm &Off");
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYCOMMAND) & (MF_CHECKED | MF_GRAYED),
            UINT{MF_CHECKED | MF_GRAYED});
}

}  // namespace
}  // namespace morv::win32
