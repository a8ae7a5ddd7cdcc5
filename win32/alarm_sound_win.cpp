#include "win32/alarm_sound_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "resources/resource_ids.h"

namespace morv::win32 {

AlarmSoundWin::~AlarmSoundWin() { stop(); }

void AlarmSoundWin::startLooping() {
  // Without SND_NODEFAULT a missing resource would ring the system's default sound once and
  // look like success; asynchronous, because the window must keep answering while it rings.
  started_ = PlaySoundW(MAKEINTRESOURCEW(IDW_ALARM_SOUND), GetModuleHandleW(nullptr),
                        SND_RESOURCE | SND_ASYNC | SND_LOOP | SND_NODEFAULT) != FALSE;
}

void AlarmSoundWin::stop() {
  if (!started_) return;
  PlaySoundW(nullptr, nullptr, 0);
  started_ = false;
}

}  // namespace morv::win32
