#pragma once
// A request to end the program that reaches it while no main window exists: the
// start-up is still running, or has just ended the program.

namespace morv {

enum class EarlyEndRequest {
  Close,         // someone asks the program to close
  SessionQuery,  // Windows asks whether the session may end
};

// True when the request is granted.
bool GrantedBeforeMainWindow(EarlyEndRequest request);

}  // namespace morv
