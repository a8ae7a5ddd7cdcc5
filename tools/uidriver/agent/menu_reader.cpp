#include "tools/uidriver/agent/menu_reader.h"

#include <string>

#include "tools/uidriver/agent/protocol.h"

namespace morv::uidriver::agent {
namespace {

// Deep enough for any real menu, and a stop for a menu that contains itself.
constexpr uint32_t kMaxDepth = 8;

std::string utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(count, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), count, nullptr, nullptr);
  return text;
}

std::wstring itemText(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info) || info.cch == 0) return {};
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
  text.resize(info.cch);
  return text;
}

void writeItems(HMENU menu, uint32_t depth, AnswerWriter& out) {
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
    // For an item that opens a submenu the high byte holds the submenu's item count.
    const UINT state = GetMenuState(menu, position, MF_BYPOSITION) & 0xFF;
    const std::string text = utf8(itemText(menu, position));
    MenuRecord record{};
    record.depth = depth;
    record.id = info.wID;
    record.state = state & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
    record.type = info.fType;
    record.hasSubmenu = info.hSubMenu != nullptr;
    record.textBytes = static_cast<uint32_t>(text.size());
    out.append(record);
    out.append(text.data(), record.textBytes);
    if (info.hSubMenu != nullptr && depth + 1 < kMaxDepth) {
      writeItems(info.hSubMenu, depth + 1, out);
    }
  }
}

}  // namespace

bool writeMenu(HMENU menu, AnswerWriter& out) {
  if (menu == nullptr || !IsMenu(menu)) return false;
  writeItems(menu, 0, out);
  return true;
}

}  // namespace morv::uidriver::agent
