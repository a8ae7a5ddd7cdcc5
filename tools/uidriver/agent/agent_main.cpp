// morvdrive-agent.dll: loaded by the UI driver into the program under test, it answers the
// questions that cannot be asked from another process (agent/protocol.h).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <string>

#include "tools/uidriver/agent/marker_hook.h"
#include "tools/uidriver/agent/protocol.h"
#include "tools/uidriver/text.h"
#include "win32/unique_handle.h"

namespace {

using namespace morv::uidriver;
using namespace morv::uidriver::agent;

std::string Values(std::initializer_list<uint32_t> values) {
  std::string bytes;
  for (uint32_t value : values) bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
  return bytes;
}

// Message boxes show the shared system icons, which LoadIcon returns again in this process.
BoxIcon IconKind(HICON icon) {
  if (!icon) return BoxIcon::kNone;
  return LoadIconA(nullptr, IDI_ERROR) == icon ? BoxIcon::kError : BoxIcon::kOther;
}

std::string SystemMenuItem(HWND window, int position) {
  HMENU menu = GetSystemMenu(window, FALSE);
  wchar_t caption[256] = {};
  GetMenuStringW(menu, position, caption, 256, MF_BYPOSITION);
  return Values(
             {GetMenuState(menu, position, MF_BYPOSITION) & 0xFF, GetMenuItemID(menu, position)}) +
         narrow(caption);
}

// The text as drawn: a single '&' marks the access key and is not drawn.
std::string TextExtent(HWND control) {
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
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
  return Values({static_cast<uint32_t>(size.cx), static_cast<uint32_t>(size.cy)});
}

uint32_t IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  const morv::win32::UniqueHgdiobj color(info.hbmColor);
  const morv::win32::UniqueHgdiobj mask(info.hbmMask);
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  return static_cast<uint32_t>(bitmap.bmWidth);
}

using NotifyIcon = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
std::atomic<NotifyIcon> g_notifyIcon{nullptr};
std::atomic<uint32_t> g_trayPictureWidth{0};

BOOL WINAPI WatchedNotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
  if (data && (data->uFlags & NIF_ICON)) g_trayPictureWidth = IconWidth(data->hIcon);
  return g_notifyIcon.load()(message, data);
}

// Puts WatchedNotifyIcon into the executable's import slot for Shell_NotifyIconA.
bool WatchTray() {
  if (g_notifyIcon.load()) return true;
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const auto& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       imports.VirtualAddress && module->Name; ++module) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "shell32.dll")) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(
        base + (module->OriginalFirstThunk ? module->OriginalFirstThunk : module->FirstThunk));
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
          std::strcmp(
              reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name,
              "Shell_NotifyIconA")) {
        continue;
      }
      DWORD was = 0;
      if (!VirtualProtect(&slot->u1.Function, sizeof(ULONG_PTR), PAGE_READWRITE, &was)) {
        return false;
      }
      g_notifyIcon = reinterpret_cast<NotifyIcon>(slot->u1.Function);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(&WatchedNotifyIcon);
      VirtualProtect(&slot->u1.Function, sizeof(ULONG_PTR), was, &was);
      return true;
    }
  }
  return false;
}

bool Answer(const Request& request, std::string& out) {
  const auto window = reinterpret_cast<HWND>(request.arg1);
  switch (request.op) {
    case Op::kInstallHook:
      return installMarkerHook(static_cast<DWORD>(request.arg1));
    case Op::kIconKind:
      out = Values({static_cast<uint32_t>(IconKind(reinterpret_cast<HICON>(request.arg1)))});
      return true;
    case Op::kSystemMenuItem:
      out = SystemMenuItem(window, static_cast<int>(request.arg2));
      return IsWindow(window);
    case Op::kTextExtent:
      out = TextExtent(window);
      return IsWindow(window);
    case Op::kWindowIconWidth: {
      DWORD_PTR icon = 0;
      SendMessageTimeoutW(window, WM_GETICON, request.arg2, 0, SMTO_NORMAL, 2000, &icon);
      out = Values({IconWidth(reinterpret_cast<HICON>(icon))});
      return IsWindow(window);
    }
    case Op::kTrayPictureWidth:
      out = Values({g_trayPictureWidth.load()});
      return WatchTray();
  }
  return false;
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI morvdrive_call(void* block) {
  auto* request = static_cast<Request*>(block);
  std::string answer;
  if (!Answer(*request, answer) || answer.size() > kAnswerBytes) return 1;
  std::memcpy(request->answer, answer.data(), answer.size());
  request->size = static_cast<uint32_t>(answer.size());
  return 0;
}
