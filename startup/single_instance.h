#pragma once
#include "platform/desktop.h"

namespace morv {

// Looks for an instance of the program that already runs on this desktop and brings
// its window to the front. True when one was found: this instance should end at once.
bool ActivatePreviousInstance(Desktop& desktop);

}  // namespace morv
