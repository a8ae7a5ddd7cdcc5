#include "tools/uidriver/wait.h"

#include <string>

#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {

void throwTimeout(std::string_view what, std::chrono::milliseconds timeout, DWORD pid) {
  std::string message =
      "timed out after " + std::to_string(timeout.count()) + " ms waiting for " + std::string(what);
  if (pid != 0) message += "; " + describeWindows(pid);
  throw DriverError(message);
}

}  // namespace morv::uidriver
