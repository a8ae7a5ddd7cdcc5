#pragma once
// Alarms written where Morvane keeps them, for its next start to find: the main window's
// as a saved alarm that repeats every day, which a start arms, and the list's, all on.
// Each lies hours ahead, so none comes round while the benchmark runs.
#include <string>

namespace morv::bench {

// The main window's alarm, and `listAlarms` of the list's after it, a minute apart: every
// other one repeats daily, the rest ring once, a month from now. Returns the main window's
// minute, the soonest, as yyyy-mm-ddThh:mm.
std::string SaveAlarmsAhead(int listAlarms);
// How many of the list's alarms the registry holds as on; Morvane rewrites the list when
// it leaves one out or turns one off.
int ListAlarmsOn();

}  // namespace morv::bench
