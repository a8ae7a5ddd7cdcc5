#include "tools/uidriver/agent/scale_probe.h"

#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <string>

namespace morv::uidriver::agent {
namespace {

using NotifyIconFn = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
std::atomic<NotifyIconFn> g_shellNotifyIcon{nullptr};
std::atomic<uint32_t> g_trayWidth{0};

uint32_t IconWidth(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return static_cast<uint32_t>(bitmap.bmWidth);
}

BOOL WINAPI WatchedNotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
  if (data && (data->uFlags & NIF_ICON)) g_trayWidth = IconWidth(data->hIcon);
  return g_shellNotifyIcon.load()(message, data);
}

// Puts WatchedNotifyIcon in the executable's import slot for Shell_NotifyIconA.
bool WatchTray() {
  if (g_shellNotifyIcon.load()) return true;
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return false;
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       module->Name; ++module) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "shell32.dll") != 0) continue;
    const DWORD namesAt =
        module->OriginalFirstThunk ? module->OriginalFirstThunk : module->FirstThunk;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "Shell_NotifyIconA") != 0) {
        continue;
      }
      DWORD was = 0;
      if (!VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &was)) {
        return false;
      }
      g_shellNotifyIcon = reinterpret_cast<NotifyIconFn>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&WatchedNotifyIcon);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), was, &was);
      return true;
    }
  }
  return false;
}

}  // namespace

Status textExtent(HWND control, AnswerWriter& out) {
  if (!IsWindow(control)) return Status::kBadHandle;
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  // A single '&' marks the access key and is not drawn.
  std::wstring drawn;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    drawn += text[i];
  }
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, drawn.c_str(), static_cast<int>(drawn.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  out.append(static_cast<uint32_t>(size.cx));
  out.append(static_cast<uint32_t>(size.cy));
  return Status::kOk;
}

Status calendarMinSize(HWND calendar, AnswerWriter& out) {
  if (!IsWindow(calendar)) return Status::kBadHandle;
  RECT need{};
  if (!SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need))) {
    return Status::kFailed;
  }
  out.append(static_cast<uint32_t>(need.right - need.left));
  out.append(static_cast<uint32_t>(need.bottom - need.top));
  return Status::kOk;
}

Status windowIconWidth(HWND window, int which, AnswerWriter& out) {
  if (!IsWindow(window)) return Status::kBadHandle;
  DWORD_PTR icon = 0;
  if (!SendMessageTimeoutW(window, WM_GETICON, which, 0, SMTO_NORMAL, 2000, &icon)) {
    return Status::kFailed;
  }
  out.append(IconWidth(reinterpret_cast<HICON>(icon)));
  return Status::kOk;
}

Status trayPictureWidth(AnswerWriter& out) {
  if (!WatchTray()) return Status::kFailed;
  out.append(g_trayWidth.load());
  return Status::kOk;
}

}  // namespace morv::uidriver::agent
