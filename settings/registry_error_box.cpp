#include "settings/registry_error_box.h"

namespace morv {

MessageBoxRequest RegistryErrorBox() {
  return {"ERROR!", "There was an error writing to the registry!\r\nPlease restart your computer!",
          MbIcon::Critical, MbButtons::Ok};
}

void ShowRegistryErrorBox(MessageBoxes& boxes) { boxes.show(RegistryErrorBox()); }

}  // namespace morv
