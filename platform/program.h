#pragma once
// The life of this program itself.

namespace morv {

class Program {
 public:
  virtual ~Program() = default;
  // Ends the whole program at once: no further handler of any window runs.
  [[noreturn]] virtual void end() = 0;
  // Lets pending window events (timer ticks, clicks, paints) run, then returns.
  virtual void doEvents() = 0;
};

}  // namespace morv
