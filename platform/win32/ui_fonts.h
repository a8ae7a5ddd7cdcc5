#pragma once
#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace morv::win32 {

// The font Windows uses for message boxes, at the window's resolution.
UniqueHfont MessageFont(HWND window);
// The named face at that point size, or the message font's face at that size when this
// machine lacks it: Windows would otherwise substitute whatever face it finds closest.
UniqueHfont FontOrFallback(HWND window, const char* face, int points);

}  // namespace morv::win32
