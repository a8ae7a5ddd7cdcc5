#pragma once
#include "platform/message_box.h"

namespace morv {

// The box every caller shows when the registry refuses a write.
MessageBoxRequest RegistryErrorBox();
void ShowRegistryErrorBox(MessageBoxes& boxes);

}  // namespace morv
