#pragma once
// What the driver and the agent DLL inside the target say to each other. The driver writes a
// Request into the target's memory and runs morvdrive_call on it on a thread of its own; both
// sides are built from this tree together.
#include <cstdint>

namespace morv::uidriver {

// The icon a message box shows, as far as the tests ask: only the program itself can tell the
// standard icons apart, and any but the error icon is just another.
enum class BoxIcon : uint32_t { kNone, kError, kOther };

namespace agent {

inline constexpr wchar_t kDllName[] = L"morvdrive-agent.dll";
// Posted to the target's UI thread in line with the driver's input. The agent's message hook
// acts on it when the thread takes it from its queue: wParam kBarrier raises the exported
// barrier to lParam, kModifiers sets the thread's Ctrl/Shift/Alt state to the bits in lParam.
inline constexpr wchar_t kMarkerMessage[] = L"MorvDrive.Marker";
enum Marker : uint32_t { kBarrier = 1, kModifiers = 2 };
enum ModifierBits : uint32_t { kCtrl = 1, kShift = 2, kAlt = 4 };

enum class Op : uint32_t {
  kInstallHook,       // arg1 = thread id: the marker hook on that thread
  kIconKind,          // arg1 = HICON: a BoxIcon
  kSystemMenuItem,    // arg1 = HWND, arg2 = position: state, id, then the caption
  kTextExtent,        // arg1 = control: its text's width and height in its own font
  kWindowIconWidth,   // arg1 = HWND, arg2 = ICON_SMALL or ICON_BIG
  kTrayPictureWidth,  // the picture last handed to Shell_NotifyIconA; the first call starts
                      // watching
};

inline constexpr uint32_t kAnswerBytes = 4096;
// The answer is uint32_t values, then UTF-8 text where there is any. morvdrive_call returns 0
// when it answered.
struct Request {
  Op op;
  uint64_t arg1;
  uint64_t arg2;
  uint32_t size;
  char answer[kAnswerBytes];
};

}  // namespace agent
}  // namespace morv::uidriver
