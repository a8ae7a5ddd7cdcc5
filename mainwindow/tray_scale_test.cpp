// The tray icon's scale follows the taskbar's monitor, never the main window's.
#include "mainwindow/tray_scale.h"

#include <gtest/gtest.h>

namespace morv {
namespace {

TEST(TrayScaleTest, TheTaskbarsMonitorDecidesAndTheSystemsScaleStandsInForIt) {
  struct Case {
    const char* what;
    std::optional<int> taskbarDpi;
    int systemDpi, iconDpi;
  } const cases[] = {
      {"the taskbar on a 150 % monitor", 144, 96, 144},
      {"the taskbar unread", std::nullopt, 120, 120},
      {"a reading of no scale", 0, 120, 120},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TrayIconDpi(c.taskbarDpi, c.systemDpi), c.iconDpi) << c.what;
}

}  // namespace
}  // namespace morv
