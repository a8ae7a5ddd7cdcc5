#pragma once
// The life of this program itself.
#include <string>

namespace morv {

class Program {
 public:
  virtual ~Program() = default;
  // Ends the whole program at once: no further handler of any window runs.
  [[noreturn]] virtual void end() = 0;
  // Waits until a window event (a timer tick, a click, a paint) is pending, lets every
  // pending one run, then returns.
  virtual void waitForEvents() = 0;
  // The program's title: the text of its hidden application window, by which a second
  // start finds the first.
  virtual std::string title() const = 0;
  virtual void setTitle(const std::string& title) = 0;
};

}  // namespace morv
