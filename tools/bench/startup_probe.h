#pragma once
// How long a program takes from its start until its window is shown, and what it
// showed before (a splash).
#include <functional>
#include <string>

#include "tools/uidriver/process.h"

namespace morv::bench {

struct StartupTiming {
  double shownMs = -1;  // process start to the window visible; -1: never within the time
  // Another visible top-level window of the process seen before it: the splash.
  bool splash = false;
  double splashMs = 0;  // how long the splash was seen
  std::string splashClass;
};

// Starts the program through `launch` into `started` and polls until one of its
// top-level windows of class `windowClass` is visible.
StartupTiming TimeStartup(const std::function<uidriver::Process()>& launch,
                          uidriver::Process& started, const std::string& windowClass);

}  // namespace morv::bench
