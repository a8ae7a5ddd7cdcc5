#pragma once
// The few window messages the alarm clock uses to drive the player, as the real
// player understands them. The stand-in answers exactly these.
#include <windows.h>

namespace morv::standin {

inline constexpr char kWindowClass[] = "Winamp v1.x";
inline constexpr char kWindowTitle[] = "Winamp stand-in";

// WM_USER requests: the request code travels in lParam.
inline constexpr LPARAM kIpcClearPlaylist = 101;  // IPC_DELETE
inline constexpr LPARAM kIpcIsPlaying = 104;
inline constexpr LPARAM kIpcSetVolume = 122;

// WM_COPYDATA requests: the request code travels in COPYDATASTRUCT.dwData, a path that
// ends in a NUL in lpData. Either adds the file to the end of the playlist.
inline constexpr ULONG_PTR kIpcPlayFile = 100;    // an ANSI path
inline constexpr ULONG_PTR kIpcPlayFileW = 1100;  // a UTF-16 path

// WM_COMMAND identifiers (wParam), the same as the player's own buttons.
inline constexpr WORD kCommandQuit = 40001;
inline constexpr WORD kCommandPlay = 40045;
inline constexpr WORD kCommandPause = 40046;
inline constexpr WORD kCommandStop = 40047;

// The values the playing-state request replies with.
enum class PlayState : int { kStopped = 0, kPlaying = 1, kPaused = 3 };

inline constexpr int kMaxVolume = 255;
inline constexpr int kDefaultVolume = 200;

}  // namespace morv::standin
