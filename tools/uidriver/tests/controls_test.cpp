// Status bar, tooltips, month calendar and screenshots of another process.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "tools/uidriver/tests/target_fixture.h"

namespace morv::uidriver::testing {
namespace {

using namespace std::chrono_literals;
using namespace std::chrono;
using ::testing::HasSubstr;

using ControlsTest = TargetTest;

TEST_F(ControlsTest, ReadsTheStatusBarEvenWhileTheProgramSleeps) {
  launch();
  HWND status = control(kStatus);
  EXPECT_EQ(statusBarParts(status), 1);
  EXPECT_EQ(statusBarText(status), "Ready");
  click(control(kBusy), 0ms);
  // The target shows "Busy" only while its UI thread sleeps, for four seconds.
  waitUntil([&] { return statusBarText(status) == "Busy"; }, 3500ms, "the status 'Busy'", pid());
  EXPECT_TRUE(logged("busy start"));
  waitForLog("busy end", 10s);
  EXPECT_EQ(statusBarText(status), "Ready");
  EXPECT_THROW(statusBarText(control(kEdit)), DriverError);
}

TEST_F(ControlsTest, ReadsTheToolTipOfAControl) {
  launch();
  EXPECT_EQ(toolTipText(control(kAsk)), "Asks a yes/no question");
  EXPECT_EQ(toolTipText(control(kTime)), "The time of the alarm");
  try {
    toolTipText(control(kConfirm));
    FAIL() << "found a tooltip the target never registered";
  } catch (const DriverError& error) {
    EXPECT_THAT(error.what(), HasSubstr("has 2 tools"));
  }
}

TEST_F(ControlsTest, ClicksCalendarDaysAndPagesToOtherMonths) {
  launch({"--date", "2024-05-10"});
  HWND calendar = control(kCalendar);
  EXPECT_EQ(calendarSelection(calendar), 2024y / May / 10d);

  calendarClickDate(calendar, 2024y / May / 17d);
  EXPECT_TRUE(logged("select 2024-05-17"));
  EXPECT_EQ(calendarSelection(calendar), 2024y / May / 17d);

  calendarClickDate(calendar, 2024y / July / 4d);
  EXPECT_TRUE(logged("select 2024-07-04"));
  calendarClickDate(calendar, 2023y / December / 31d);
  EXPECT_TRUE(logged("select 2023-12-31"));
  EXPECT_EQ(calendarSelection(calendar), 2023y / December / 31d);

  EXPECT_THROW(calendarClickDate(calendar, 2023y / February / 30d), DriverError);
  EXPECT_THROW(calendarClickDate(control(kEdit), 2023y / May / 1d), DriverError);
}

TEST_F(ControlsTest, SavesTheScreenAsABitmap) {
  launch();
  const std::string path = tempPath("screen.bmp");
  saveScreenshot(path);
  std::ifstream in(std::filesystem::path(widen(path)), std::ios::binary);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  in.read(reinterpret_cast<char*>(&file), sizeof(file));
  in.read(reinterpret_cast<char*>(&info), sizeof(info));
  ASSERT_TRUE(in);
  EXPECT_EQ(file.bfType, 0x4D42);
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(info.biWidth, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(info.biHeight, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  const auto rowBytes = (info.biWidth * 3 + 3) / 4 * 4;
  EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(widen(path))),
            file.bfOffBits + static_cast<uintmax_t>(rowBytes) * info.biHeight);
  in.close();
  std::filesystem::remove(std::filesystem::path(widen(path)));
}

}  // namespace
}  // namespace morv::uidriver::testing
