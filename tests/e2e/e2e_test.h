#pragma once
// Every end-to-end test starts from a first start's settings and no player running, and leaves
// no player behind: one left running would hold the test's output open, and the next test would
// find it.
#include <gtest/gtest.h>

#include "tools/morvane_driver/morvane_app.h"

namespace morv::e2e {

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver::EndEveryPlayer();
    driver::ResetSettings();
  }
  void TearDown() override { driver::EndEveryPlayer(); }
};

}  // namespace morv::e2e
