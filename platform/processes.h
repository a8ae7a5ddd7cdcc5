#pragma once
// Starting other programs.
#include <string>

namespace morv {

// The window a started program is asked to open with.
enum class WindowStyle {
  NormalFocus,
  MinimizedFocus,
  MinimizedNoFocus,
  MaximizedFocus,
};

enum class StartResult {
  Started,
  FileNotFound,  // the program file (or a folder on its path) does not exist
  Failed,        // any other refusal
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts the program file at this path (blanks in it are fine); fails at once when missing.
  virtual StartResult startProgram(const std::string& path, WindowStyle style) = 0;
  // Starts a command line: program and arguments as one text, as a shell would.
  virtual StartResult startCommandLine(const std::string& commandLine, WindowStyle style) = 0;
};

}  // namespace morv
