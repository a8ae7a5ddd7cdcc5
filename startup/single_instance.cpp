#include "startup/single_instance.h"

#include "startup/app_title.h"

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
  // The application window stays hidden. The window just above it need not be that
  // instance's: any window raised since can lie between them. Its main window is found
  // among the windows of the process that owns the one found, and that instance brings
  // itself forward (out of the tray too), which only it can do the way it should.
  const std::uint32_t process = desktop.windows.processOf(found);
  const WindowHandle main = desktop.windows.findProcessWindow(process, kMainWindowClass);
  if (main != 0) {
    desktop.windows.allowForeground(process);
    desktop.windows.postMessage(main, desktop.windows.registeredMessage(kAnotherStartMessage), 0,
                                0);
  }
  return true;
}

}  // namespace morv
