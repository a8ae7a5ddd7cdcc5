// Starting, waiting for and ending the program under test; finding its windows.
#include <windows.h>

#include <filesystem>

#include "tools/uidriver/tests/target_fixture.h"

namespace morv::uidriver::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

using ProcessTest = TargetTest;

TEST_F(ProcessTest, PassesArgumentsWorkingDirectoryAndEnvironment) {
  const std::string directory =
      std::filesystem::path(widen(tempPath("cwd"))).parent_path().string();
  launch({"one", "two words", "say \"hi\"", "ends\\"}, {{"UIDRIVER_TARGET_MARK", "hello"}},
         directory);
  waitForLog("arg ends\\");
  const auto lines = log();
  ASSERT_GE(lines.size(), 6u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "start cwd=" + directory);
  EXPECT_EQ(lines[1], "mark hello");
  EXPECT_EQ(lines[2], "arg one");
  EXPECT_EQ(lines[3], "arg two words");
  EXPECT_EQ(lines[4], "arg say \"hi\"");
  EXPECT_EQ(lines[5], "arg ends\\");
}

TEST_F(ProcessTest, WaitsForExitAndNeverLeavesAProgramBehind) {
  launch({"--exit-after-ms", "300", "--exit-code", "7"});
  EXPECT_EQ(process_.waitForExit(10s), 7u);
  EXPECT_FALSE(process_.isRunning());

  win32::UniqueProcessHandle watcher;
  {
    Process running =
        Process::launch({.executable = toolsDirectory() + "\\uidriver_target.exe",
                         .environment = {{"UIDRIVER_TARGET_LOG", tempPath("unused.log")}}});
    watcher.reset(OpenProcess(SYNCHRONIZE, FALSE, running.pid()));
    ASSERT_TRUE(watcher);
    EXPECT_TRUE(running.isRunning());
    EXPECT_THROW(running.waitForExit(100ms), DriverError);
  }
  EXPECT_EQ(WaitForSingleObject(watcher.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_THROW(Process::launch({.executable = toolsDirectory() + "\\no-such-program.exe"}),
               DriverError);
}

TEST_F(ProcessTest, FindsWindowsAndExplainsWhenItCannot) {
  launch();
  EXPECT_EQ(waitForWindow(pid(), {.title = "Uidriver", .titleIsSubstring = true}, 1s), main_);
  HWND hidden = waitForWindow(pid(), {.className = "uidriverhidden"}, 1s);
  EXPECT_FALSE(isVisible(hidden));
  EXPECT_EQ(windowTitle(hidden), "Hidden Helper");

  try {
    waitForWindow(pid(), {.className = "UidriverHidden", .visibleOnly = true}, 200ms);
    FAIL() << "a hidden window was found as visible";
  } catch (const DriverError& error) {
    EXPECT_THAT(error.what(), HasSubstr("timed out after 200 ms"));
    EXPECT_THAT(error.what(), HasSubstr("[UidriverTarget 'Uidriver Target' visible]"));
    EXPECT_THAT(error.what(), HasSubstr("[UidriverHidden 'Hidden Helper' hidden]"));
  }

  EXPECT_EQ(findChild(main_, "button", "&Confirm"), control(kConfirm));
  EXPECT_EQ(windowText(control(kTime)), "12:34");
  EXPECT_TRUE(isReadOnly(control(kTime)));
  EXPECT_FALSE(isReadOnly(control(kEdit)));
  EXPECT_FALSE(isReadOnly(control(kAsk)));
  EXPECT_FALSE(isEnabled(control(kDisabled)));
  try {
    findChild(main_, "Button", "&Nothing");
    FAIL() << "found a button that does not exist";
  } catch (const DriverError& error) {
    EXPECT_THAT(error.what(), HasSubstr("Button 'C&hain' id=1004"));
  }
  EXPECT_THROW(findChild(main_, 4242), DriverError);
}

}  // namespace
}  // namespace morv::uidriver::testing
