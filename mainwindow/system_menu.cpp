#include "mainwindow/system_menu.h"

namespace morv {
namespace {

constexpr std::uint32_t kNoItem = 0xFFFFFFFF;  // a pop-up, or no item at that position
constexpr std::uint32_t kGrayedByCommand = 1;  // MF_BYCOMMAND | MF_STRING | MF_GRAYED
constexpr std::uintptr_t kNoCommand = 0xFFFFFFF7;

}  // namespace

void GraySystemMenuItem(WindowManager& windows, WindowHandle window, const std::string& caption,
                        int position) {
  const MenuHandle menu = windows.systemMenu(window);
  if (menu == 0) return;
  const std::uint32_t item = windows.menuItemId(menu, position);
  // A separator answers 0: not a plain item either.
  if (item == kNoItem || item == 0) return;
  windows.modifyMenu(menu, item, kGrayedByCommand, kNoCommand, caption);
}

}  // namespace morv
