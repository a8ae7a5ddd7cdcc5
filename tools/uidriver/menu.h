#pragma once
// Menus of another process, read by the agent inside it (Wine keeps menus private to their
// process).
#include <windows.h>

#include <string>
#include <vector>

namespace morv::uidriver {

struct MenuItem {
  std::string caption;  // as stored, with '&' and any "\tCtrl+K"
  UINT id = 0;          // the command id; 0 for an item that opens a submenu
  bool checked = false;
  bool enabled = true;  // neither grayed nor disabled
  bool grayed = false;
  bool separator = false;
  bool hasSubmenu = false;
  std::vector<MenuItem> submenu;
};

using MenuPath = std::vector<std::string>;

std::vector<MenuItem> menuBarItems(HWND window);
// The window menu (GetSystemMenu(window, FALSE)): its Close item tells whether closing is
// allowed.
std::vector<MenuItem> systemMenuItems(HWND window);
// The items of an open pop-up menu, given its "#32768" window.
std::vector<MenuItem> popupMenuItems(HWND popupWindow);
// Follows captions from the menu bar, e.g. {"S&ettings", "&Start In System Tray"}. Captions
// match as in sameCaption: "Settings" finds "S&ettings", "Save" finds "&Save\tCtrl+S".
MenuItem menuItem(HWND window, const MenuPath& path);
const MenuItem& findMenuItem(const std::vector<MenuItem>& items, const MenuPath& path);

// An indented listing, one item per line.
std::string describeMenu(const std::vector<MenuItem>& items, int indent = 0);

}  // namespace morv::uidriver
