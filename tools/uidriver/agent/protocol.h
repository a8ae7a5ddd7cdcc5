#pragma once
// What the driver and the agent DLL inside the target say to each other. Both are built from
// this tree together, so a version number is all the negotiation there is.
#include <cstdint>

namespace morv::uidriver::agent {

inline constexpr uint32_t kVersion = 1;
inline constexpr wchar_t kDllName[] = L"morvdrive-agent.dll";
inline constexpr char kCallExport[] = "morvdrive_call";
inline constexpr char kBarrierExport[] = "morvdrive_barrier";
// Posted to the target's UI thread in line with the input the driver posts. The agent's message
// hook acts on it when the thread takes it from its queue, and turns it into WM_NULL.
inline constexpr wchar_t kMarkerMessage[] = L"MorvDrive.Marker";

enum class Op : uint32_t {
  kPing = 1,          // answers kVersion
  kWindowMenu,        // arg1 = HWND: its menu bar
  kSystemMenu,        // arg1 = HWND: its window menu, GetSystemMenu(hwnd, FALSE)
  kMenu,              // arg1 = HMENU
  kIconKind,          // arg1 = HICON: which standard icon it is (IconKind)
  kInstallHook,       // arg1 = thread id: put the marker hook on that thread
  kStatusText,        // arg1 = HWND, arg2 = part: SB_GETTEXTW run on the agent's own thread
  kTextExtent,        // arg1 = HWND: its text's width and height in its font (two uint32_t)
  kCalendarMinSize,   // arg1 = HWND: MCM_GETMINREQRECT's width and height
  kWindowIconWidth,   // arg1 = HWND, arg2 = ICON_SMALL or ICON_BIG: its icon's width
  kTrayPictureWidth,  // the last picture handed to Shell_NotifyIconA; starts watching
};

enum class Status : uint32_t { kOk = 0, kTooSmall, kBadHandle, kBadRequest, kFailed };

// wParam of the marker message; lParam is the barrier number or the modifier bits.
enum class Marker : uint32_t { kBarrier = 1, kModifiers = 2 };
enum ModifierBits : uint32_t { kCtrl = 1, kShift = 2, kAlt = 4 };

enum class IconKind : uint32_t { kNone = 0, kError, kQuestion, kWarning, kInformation, kOther };

// Written by the driver into target memory and followed by `capacity` bytes for the answer.
// The agent sets `size` to the bytes it wrote, or to the bytes it needs with kTooSmall. Scalar
// answers are one uint32_t.
struct Request {
  uint32_t version;
  Op op;
  uint64_t arg1;
  uint64_t arg2;
  uint32_t capacity;
  uint32_t size;
};

// A menu answer: these records depth first, each followed by textBytes of UTF-8.
struct MenuRecord {
  uint32_t depth;
  uint32_t id;
  uint32_t state;  // MF_CHECKED, MF_GRAYED and MF_DISABLED as GetMenuState gives them
  uint32_t type;   // MFT_* bits
  uint32_t hasSubmenu;
  uint32_t textBytes;
};

}  // namespace morv::uidriver::agent
