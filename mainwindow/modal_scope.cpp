#include "mainwindow/modal_scope.h"

namespace morv {

void Modality::closed() {
  if (--open_ == 0 && onAllClosed_) onAllClosed_();
}

}  // namespace morv
