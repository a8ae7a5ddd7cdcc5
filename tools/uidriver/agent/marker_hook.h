#pragma once
// A WH_GETMESSAGE hook on the target's UI thread that sees the driver's markers in queue order
// with the input the driver posted: a barrier tells the driver that everything posted before it
// has been taken (handled, or a modal loop has begun); a modifier marker sets the keyboard
// state, which posted key messages leave alone, so TranslateAccelerator sees Ctrl or Alt held.
#include <windows.h>

namespace morv::uidriver::agent {

// Once per thread (the driver keeps count); false when the hook cannot be set.
bool installMarkerHook(DWORD threadId);

}  // namespace morv::uidriver::agent

// The highest barrier the hook has seen; the driver reads it with ReadProcessMemory.
extern "C" __declspec(dllexport) volatile LONG64 morvdrive_barrier;
