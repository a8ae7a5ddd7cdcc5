#pragma once

namespace morv {

// The program's title: the text of its hidden application window, and the title of
// every message box that has none of its own.
inline constexpr char kAppTitle[] = "MORV";

}  // namespace morv

namespace morv {

// The class of the main window, by which a second start finds it among the windows of
// the running instance.
inline constexpr char kMainWindowClass[] = "MorvaneMainWindow";
// Posted by a second start to the running instance's main window: come forward.
inline constexpr char kAnotherStartMessage[] = "Morvane.AnotherStart";

}  // namespace morv
