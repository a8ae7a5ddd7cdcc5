#pragma once

namespace morv {

// The program's title: the text of its hidden application window, and the title of
// every message box that has none of its own.
inline constexpr char kAppTitle[] = "MORV";

}  // namespace morv
