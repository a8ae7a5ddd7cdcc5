// Menu items over Win32 menus, and the waiting menu of an item made invisible.
#include "win32/controls_win.h"

#include <algorithm>
#include <utility>

#include "win32/wide_text.h"

namespace morv::win32 {

MenuItemWin MenuItemWin::Command(HMENU menu, UINT id, std::string shortcut) {
  return MenuItemWin(menu, id, MF_BYCOMMAND, nullptr, std::move(shortcut));
}

MenuItemWin MenuItemWin::TopLevel(HWND owner, UINT position) {
  return MenuItemWin(GetMenu(owner), position, MF_BYPOSITION, owner, {});
}

MenuItemWin MenuItemWin::AtPosition(HMENU menu, UINT position) {
  return MenuItemWin(menu, position, MF_BYPOSITION, nullptr, {});
}

UINT MenuItemWin::state() const { return GetMenuState(menu_, item_, by_); }

std::string MenuItemWin::caption() const {
  wchar_t text[256] = {};
  GetMenuStringW(menu_, item_, text, 256, by_);
  std::string caption = Utf8(text);
  if (auto tab = caption.find('\t'); tab != std::string::npos) caption.resize(tab);
  return caption;
}

void MenuItemWin::setCaption(const std::string& text) {
  if (caption() == text) return;
  std::wstring shown = Wide(shortcut_.empty() ? text : text + "\t" + shortcut_);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = shown.data();
  SetMenuItemInfoW(menu_, item_, by_ == MF_BYPOSITION, &info);
  if (bar_) DrawMenuBar(bar_);
}

bool MenuItemWin::checked() const { return (state() & MF_CHECKED) != 0; }

void MenuItemWin::setChecked(bool on) {
  if (checked() == on) return;
  CheckMenuItem(menu_, item_, by_ | (on ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuItemWin::enabled() const { return (state() & (MF_GRAYED | MF_DISABLED)) == 0; }

void MenuItemWin::setEnabled(bool on) {
  if (enabled() == on) return;
  EnableMenuItem(menu_, item_, by_ | (on ? MF_ENABLED : MF_GRAYED));
  if (bar_) DrawMenuBar(bar_);
}

namespace {

int PositionOf(HMENU menu, UINT id) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    if (GetMenuItemID(menu, i) == id) return i;
  }
  return -1;
}

// The menu that holds the item itself, `menu` or one of its submenus at any depth, as a
// lookup by command finds it.
HMENU HolderOf(HMENU menu, UINT id) {
  if (PositionOf(menu, id) >= 0) return menu;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (HMENU holder = HolderOf(sub, id)) return holder;
    }
  }
  return nullptr;
}

// Moves an item whole: caption, type (a radio check too), states and identifier.
void MoveItem(HMENU from, int position, HMENU to, int place) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_DATA | MIIM_CHECKMARKS;
  GetMenuItemInfoW(from, position, TRUE, &info);
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  GetMenuItemInfoW(from, position, TRUE, &info);
  InsertMenuItemW(to, place, TRUE, &info);
  RemoveMenu(from, position, MF_BYPOSITION);
}

}  // namespace

// Windows menus have no hidden items: an invisible one is taken out. Items addressed by
// position cannot leave, or the positions of the others would change beneath them.
void MenuItemWin::setVisible(bool on) {
  if (on == visible() || by_ != MF_BYCOMMAND) return;
  if (!on) {
    home_ = HolderOf(menu_, item_);
    if (!home_) return;
    const int position = PositionOf(home_, item_);
    const UINT before = position > 0 ? GetMenuItemID(home_, position - 1) : 0;
    after_ = before == static_cast<UINT>(-1) ? 0 : before;  // a submenu has no identifier
    place_ = position;
    parked_.reset(CreatePopupMenu());
    MoveItem(home_, position, parked_.get(), 0);
    root_ = std::exchange(menu_, parked_.get());
    return;
  }
  const int before = after_ ? PositionOf(home_, after_) : -1;
  const int count = GetMenuItemCount(home_);
  MoveItem(parked_.get(), 0, home_, before >= 0 ? before + 1 : std::min(place_, count));
  menu_ = root_;
  parked_.reset();
}

}  // namespace morv::win32
