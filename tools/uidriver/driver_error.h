#pragma once
// Every refused action and every expired wait of the UI driver throws this, with a message that
// says what was asked and what the driver saw instead: a failing end-to-end test should explain
// itself without a debugger.
#include <stdexcept>
#include <string>

namespace morv::uidriver {

class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace morv::uidriver
