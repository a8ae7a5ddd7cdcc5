#include "tools/uidriver/menu.h"

#include <cstring>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

std::vector<MenuItem> parse(const std::vector<char>& bytes) {
  std::vector<MenuItem> top;
  std::vector<std::vector<MenuItem>*> levels{&top};
  size_t offset = 0;
  while (offset + sizeof(agent::MenuRecord) <= bytes.size()) {
    agent::MenuRecord record{};
    std::memcpy(&record, bytes.data() + offset, sizeof(record));
    offset += sizeof(record);
    if (offset + record.textBytes > bytes.size() || record.depth >= levels.size()) {
      throw DriverError("the agent sent a malformed menu");
    }
    MenuItem item;
    item.caption.assign(bytes.data() + offset, record.textBytes);
    offset += record.textBytes;
    // Windows reports the submenu's handle as the id of an item that opens one.
    item.id = record.hasSubmenu ? 0 : record.id;
    item.checked = record.state & MF_CHECKED;
    item.grayed = record.state & MF_GRAYED;
    item.enabled = !(record.state & (MF_GRAYED | MF_DISABLED));
    item.separator = record.type & MFT_SEPARATOR;
    item.hasSubmenu = record.hasSubmenu != 0;
    levels.resize(record.depth + 1);
    levels.back()->push_back(std::move(item));
    levels.push_back(&levels.back()->back().submenu);
  }
  return top;
}

std::vector<MenuItem> read(HWND window, agent::Op op, uint64_t handle) {
  if (!IsWindow(window)) throw DriverError("cannot read the menu of a window that does not exist");
  return parse(Agent::of(processOf(window)).call(op, handle));
}

}  // namespace

std::vector<MenuItem> menuBarItems(HWND window) {
  return read(window, agent::Op::kWindowMenu, reinterpret_cast<uint64_t>(window));
}

std::vector<MenuItem> systemMenuItems(HWND window) {
  return read(window, agent::Op::kSystemMenu, reinterpret_cast<uint64_t>(window));
}

std::vector<MenuItem> popupMenuItems(HWND popupWindow) {
  DWORD_PTR menu = 0;
  if (!IsWindow(popupWindow) ||
      !SendMessageTimeoutW(popupWindow, MN_GETHMENU, 0, 0, SMTO_NORMAL, 2000, &menu) || menu == 0) {
    throw DriverError(describeWindow(popupWindow) + " is not an open pop-up menu");
  }
  return read(popupWindow, agent::Op::kMenu, menu);
}

const MenuItem& findMenuItem(const std::vector<MenuItem>& items, const MenuPath& path) {
  if (path.empty()) throw DriverError("an empty menu path names no item");
  const std::vector<MenuItem>* level = &items;
  const MenuItem* found = nullptr;
  std::string walked;
  for (const std::string& caption : path) {
    if (found != nullptr) level = &found->submenu;
    found = nullptr;
    for (const MenuItem& item : *level) {
      if (!item.separator && sameCaption(item.caption, caption)) {
        found = &item;
        break;
      }
    }
    if (found == nullptr) {
      throw DriverError("no menu item '" + caption + "'" +
                        (walked.empty() ? std::string() : " under" + walked) + "; there are:\n" +
                        describeMenu(*level, 1));
    }
    walked += " '" + caption + "'";
  }
  return *found;
}

MenuItem menuItem(HWND window, const MenuPath& path) {
  return findMenuItem(menuBarItems(window), path);
}

std::string describeMenu(const std::vector<MenuItem>& items, int indent) {
  std::string text;
  for (const MenuItem& item : items) {
    text += std::string(indent * 2, ' ');
    if (item.separator) {
      text += "----\n";
      continue;
    }
    text += "'" + item.caption + "' id=" + std::to_string(item.id);
    if (item.checked) text += " checked";
    if (item.grayed)
      text += " grayed";
    else if (!item.enabled)
      text += " disabled";
    text += "\n" + describeMenu(item.submenu, indent + 1);
  }
  return text;
}

}  // namespace morv::uidriver
