#pragma once
// The target's record of what happened to it, for the tests to read: one line per event in the
// file named by UIDRIVER_TARGET_LOG, flushed at once.
#include <string>

namespace morv::uidriver::target {

void openLog();
void logLine(const std::string& line);

}  // namespace morv::uidriver::target
