#pragma once
// What Morvane knows about the Winamp media player: where it lives, how its window is
// found, and the few window messages it understands.

namespace morv::winamp {

inline constexpr char kWindowClass[] = "Winamp v1.x";

// Started by arming, by the tick's restart and by "Start WinAmp".
inline constexpr char kProgramPath[] = "c:\\Program Files\\WinAmp\\WinAmp.exe";
// Started at load; the same file, Windows paths ignore letter case.
inline constexpr char kProgramPathAtLoad[] = "c:\\program files\\winamp\\winamp.exe";
// Looked at on start to tell whether the player is installed.
inline constexpr char kInstallFolder[] = "c:\\Program Files\\Winamp";
inline constexpr char kInstalledProgram[] = "c:\\Program Files\\Winamp\\Winamp.exe";
inline constexpr char kAssociationKey[] = ".MP3";
inline constexpr char kAssociationValue[] = "Winamp_Back";

// WM_USER requests, told apart by lParam.
inline constexpr long kIpcIsPlaying = 104;  // replies 1 playing, 3 paused, 0 stopped
inline constexpr long kIpcSetVolume = 122;  // wParam 0 to 255
inline constexpr long kIpcDeletePlaylist = 101;
// WM_COPYDATA kinds, told apart by dwData.
inline constexpr unsigned kCopyPlayFile = 100;  // lpData: a file or playlist to add
inline constexpr int kPlaying = 1;

// WM_COMMAND identifiers.
inline constexpr unsigned kCommandQuit = 40001;
inline constexpr unsigned kCommandPlay = 40045;

inline constexpr int kAlarmVolume = 255;
inline constexpr int kSnoozeVolume = 28;

}  // namespace morv::winamp
