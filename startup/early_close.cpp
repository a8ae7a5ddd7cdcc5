#include "startup/early_close.h"

namespace morv {

// The close query is the one place a close is decided, and it lives with the main
// window: before it there is nothing to ask, and closing without asking would end a
// start the user never meant to stop. A session may end, though: nothing has been
// entered yet, so nothing is lost, and holding the shutdown up would be for nothing.
bool GrantedBeforeMainWindow(EarlyEndRequest request) {
  switch (request) {
    case EarlyEndRequest::Close:
      return false;
    case EarlyEndRequest::SessionQuery:
      return true;
  }
  return false;
}

}  // namespace morv
