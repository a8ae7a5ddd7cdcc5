#include "startup/single_instance.h"

namespace morv {
namespace {

// The classes an application window of this program has carried, oldest first.
constexpr const char* kApplicationClasses[] = {"ThunderRTMain", "ThunderRT5Main", "ThunderRT6Main"};
constexpr char kSearchingTitle[] = "unwanted instance";

}  // namespace

bool ActivatePreviousInstance(Desktop& desktop) {
  const std::string title = desktop.program.title();
  // Our own application window must not answer to the title while we search for it.
  desktop.program.setTitle(kSearchingTitle);
  WindowHandle found = 0;
  for (const char* windowClass : kApplicationClasses) {
    found = desktop.windows.findWindow(windowClass, title);
    if (found != 0) break;
  }
  if (found == 0) {
    desktop.program.setTitle(title);
    return false;
  }
  // The application window stays hidden; the window just above it is one of that
  // instance's own. What the restore and the activation answer does not matter.
  const WindowHandle neighbour = desktop.windows.windowAbove(found);
  desktop.windows.openIcon(neighbour);
  desktop.windows.setForegroundWindow(neighbour);
  return true;
}

}  // namespace morv
