#pragma once
// Under Wine every Windows process is a Linux process: what only the Linux side shows (its
// threads; a stop and a continue that play a sleep and a wake) reached through Wine's Z: drive
// and the host's own kill.
#include <chrono>
#include <optional>
#include <string>

namespace morv::driver {

// The Linux process of the program whose Linux name (at most 15 characters) is `comm`, in this
// test's Wine prefix; nullopt when there is none.
std::optional<int> LinuxProcessOf(const std::string& comm);
// Whether the process has a thread of this name, e.g. Wine's "winealsa_timer", which exists
// while the process plays sound.
bool HasThreadNamed(int linuxPid, const std::string& name);
// A sleep of the computer: the process stopped from `from` until `until` on the local clock
// (each at once when already past); throws when a signal does not arrive.
void StopBetween(int linuxPid, std::chrono::sys_time<std::chrono::milliseconds> from,
                 std::chrono::sys_time<std::chrono::milliseconds> until);

}  // namespace morv::driver
