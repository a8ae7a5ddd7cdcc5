#pragma once
// What the setup tests stand on: the setup and its uninstaller run to their end, the
// places an install touches, and the registry as Windows' own reg.exe reads it.
#include <windows.h>

#include <chrono>
#include <string>

#include "platform/win32/unique_handle.h"
#include "tools/morvane_driver/morvane_app.h"

namespace morv::setup_test {

// The build folder holds morvu.exe, MORVHELP.DOC and morvane-setup.exe.
using driver::BuildFolder;
using driver::kRunKey;
using driver::kSettingsKey;
using driver::RegQueryValue;
using driver::RegValue;

inline constexpr char kUninstallKey[] =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane";

std::string SetupProgram();
std::string InstallFolder();  // the 64-bit Program Files\Quorvix\MORV
std::string QuorvixFolder();
std::string StartMenuShortcut();  // in the all-users Start menu

bool Exists(const std::string& path);  // a file or a folder
std::string FileContents(const std::string& path);

// Starts a command line and leaves it running.
win32::UniqueProcessHandle Start(const std::string& commandLine);
// Runs a command line to its end and gives its exit code; throws when it outlives
// `timeout`. With `children`, waits for the programs it started too: an uninstaller
// run without _?= copies itself away, starts the copy and returns at once.
DWORD RunToEnd(const std::string& commandLine, bool children = false,
               std::chrono::milliseconds timeout = std::chrono::seconds(60));

bool RegKeyExists(const std::string& key);

// Uninstalls and removes whatever an install, a test or an interrupted run left:
// files, folders, shortcut, Run values, settings and the Uninstall entry.
void RemoveEverything();

}  // namespace morv::setup_test
