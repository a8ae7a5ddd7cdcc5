#pragma once
// The marker hook: a WH_GETMESSAGE hook on the target's UI thread that sees the driver's marker
// messages in queue order with the input the driver posted. A barrier marker tells the driver
// that everything posted before it has been taken (and so handled, or a modal loop has begun);
// a modifier marker sets the thread's keyboard state, which posted key messages do not, so that
// TranslateAccelerator sees Ctrl, Shift and Alt as held.
#include <windows.h>

namespace morv::uidriver::agent {

// Safe to call again for the same thread. False when the hook cannot be installed.
bool installMarkerHook(HMODULE agentModule, DWORD threadId);

}  // namespace morv::uidriver::agent

// The highest barrier number the hook has seen; the driver reads it with ReadProcessMemory.
extern "C" __declspec(dllexport) volatile LONG64 morvdrive_barrier;
