// morvdrive-agent.dll: loaded by the UI driver into the program under test, it answers the
// questions that cannot be asked from another process. The driver runs morvdrive_call on a
// thread of its own (CreateRemoteThread) with a Request block in target memory.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tools/uidriver/agent/answer_writer.h"
#include "tools/uidriver/agent/marker_hook.h"
#include "tools/uidriver/agent/menu_reader.h"
#include "tools/uidriver/agent/protocol.h"
#include "tools/uidriver/agent/scale_probe.h"

namespace {

using namespace morv::uidriver::agent;

HMODULE g_module = nullptr;

IconKind iconKind(HICON icon) {
  if (icon == nullptr) return IconKind::kNone;
  // Message boxes show the shared system icons, which LoadIcon returns again in this process.
  const struct {
    LPCSTR name;
    IconKind kind;
  } known[] = {{IDI_ERROR, IconKind::kError},
               {IDI_QUESTION, IconKind::kQuestion},
               {IDI_WARNING, IconKind::kWarning},
               {IDI_INFORMATION, IconKind::kInformation}};
  for (const auto& entry : known) {
    if (LoadIconA(nullptr, entry.name) == icon) return entry.kind;
  }
  return IconKind::kOther;
}

// Calls the status bar's window procedure directly on this thread: it answers while the
// program's UI thread is blocked, which a sent message cannot.
Status statusText(HWND bar, int part, AnswerWriter& out) {
  if (!IsWindow(bar)) return Status::kBadHandle;
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(bar, GWLP_WNDPROC));
  if (procedure == nullptr) return Status::kFailed;
  const LRESULT length = CallWindowProcW(procedure, bar, SB_GETTEXTLENGTHW, part, 0);
  std::wstring text(LOWORD(length) + 1, L'\0');
  CallWindowProcW(procedure, bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(length));
  const int size = static_cast<int>(text.size());
  std::string utf8(WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                      nullptr, nullptr);
  out.append(utf8.data(), static_cast<uint32_t>(utf8.size()));
  return Status::kOk;
}

Status run(const Request& request, AnswerWriter& out) {
  switch (request.op) {
    case Op::kPing:
      out.append(kVersion);
      return Status::kOk;
    case Op::kWindowMenu:
      return writeMenu(GetMenu(reinterpret_cast<HWND>(request.arg1)), out) ? Status::kOk
                                                                           : Status::kBadHandle;
    case Op::kSystemMenu:
      return writeMenu(GetSystemMenu(reinterpret_cast<HWND>(request.arg1), FALSE), out)
                 ? Status::kOk
                 : Status::kBadHandle;
    case Op::kMenu:
      return writeMenu(reinterpret_cast<HMENU>(request.arg1), out) ? Status::kOk
                                                                   : Status::kBadHandle;
    case Op::kIconKind:
      out.append(static_cast<uint32_t>(iconKind(reinterpret_cast<HICON>(request.arg1))));
      return Status::kOk;
    case Op::kInstallHook:
      return installMarkerHook(g_module, static_cast<DWORD>(request.arg1)) ? Status::kOk
                                                                           : Status::kFailed;
    case Op::kStatusText:
      return statusText(reinterpret_cast<HWND>(request.arg1), static_cast<int>(request.arg2), out);
    case Op::kTextExtent:
      return textExtent(reinterpret_cast<HWND>(request.arg1), out);
    case Op::kCalendarMinSize:
      return calendarMinSize(reinterpret_cast<HWND>(request.arg1), out);
    case Op::kWindowIconWidth:
      return windowIconWidth(reinterpret_cast<HWND>(request.arg1), static_cast<int>(request.arg2),
                             out);
    case Op::kTrayPictureWidth:
      return trayPictureWidth(out);
  }
  return Status::kBadRequest;
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI morvdrive_call(void* block) {
  auto* request = static_cast<Request*>(block);
  if (request == nullptr || request->version != kVersion) {
    return static_cast<DWORD>(Status::kBadRequest);
  }
  AnswerWriter out(reinterpret_cast<char*>(request + 1), request->capacity);
  Status status = Status::kFailed;
  try {
    status = run(*request, out);
  } catch (...) {
    status = Status::kFailed;
  }
  request->size = out.size();
  if (status == Status::kOk && !out.fits()) status = Status::kTooSmall;
  return static_cast<DWORD>(status);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
