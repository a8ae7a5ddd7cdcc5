// Start-up and shutdown of the real program: one instance, the splash, the player check,
// and the questions every close asks.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/foreign_window.h"
#include "tools/morvane_driver/morvane_app.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using uidriver::BoxIcon;

// The folder of the player without its program, and MP3 files still of the player's
// own type: judged missing, the start ends after four boxes. The same type in capitals is
// not: the splash runs its bar before the main window, and a refused close, from the
// user or from Windows shutting down, keeps the program.
TEST(StartupTest, AMissingPlayerEndsTheStartTheSplashRunsItsBarAndARefusedCloseKeepsTheProgram) {
  ResetSettings();
  ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
  struct PutBack {
    ~PutBack() {
      MoveFileA(kPlayerAway, kPlayerProgram);
      RegDeleteTreeA(HKEY_CLASSES_ROOT, ".MP3");
    }
  } putBack;
  auto association = [](const char* type) {
    RegSetKeyValueA(HKEY_CLASSES_ROOT, ".MP3", "Winamp_Back", REG_SZ, type, strlen(type) + 1);
  };
  ASSERT_NE(GetFileAttributesA(kPlayerFolder), INVALID_FILE_ATTRIBUTES);

  association("mp3file");
  {
    MorvaneApp app({.waitForMainWindow = false});
    std::vector<BoxIcon> icons;
    for (const char* title : {"WinAmp Is Not Installed!", "Morvane\u2122",
                              "Making WinAmp The Default Media Player", "ERROR!"}) {
      auto box = app.answerBox(title, "OK");
      icons.push_back(box.icon);
      if (icons.size() == 2) {
        // Shown as the trademark sign whatever the system's code page.
        EXPECT_EQ(box.text,
                  "If WinAmp is in fact installed on your machine,\r\nit must be the Default "
                  "Media Player,\r\nIn Order For Morvane\u2122 To Detect It!");
      }
    }
    EXPECT_THAT(icons, ElementsAre(BoxIcon::kError, BoxIcon::kInformation, BoxIcon::kInformation,
                                   BoxIcon::kError));
    EXPECT_EQ(app.process.waitForExit(10s), 0u);
    EXPECT_EQ(uidriver::findWindow(app.pid(), {.className = "MorvaneMainWindow"}), nullptr);
  }

  association("MP3FILE");
  ForeignWindow wordPad("WordPadClass");
  auto started = uidriver::Process::launch({.executable = BuildFolder() + "\\morvu.exe",
                                            .workingDirectory = BuildFolder(),
                                            .environment = {{"WINAMP_STANDIN_SILENT", "1"}}});
  HWND splash = uidriver::waitForWindow(started.pid(),
                                        {.className = "MorvaneSplash", .visibleOnly = true}, 20s);
  const auto shown = std::chrono::steady_clock::now();
  EXPECT_EQ(uidriver::windowTitle(splash), "") << "a splash has no title";
  HWND bar = uidriver::findChild(splash, "msctls_progress32", "");
  std::vector<int> seen;
  HWND main = nullptr;
  while (!main) {
    const int value = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    if (IsWindowVisible(splash) && (seen.empty() || seen.back() != value)) {
      seen.push_back(value);
      if (value == 12) MorvaneApp::picture("splash");
    }
    main = uidriver::findWindow(started.pid(),
                                {.className = "MorvaneMainWindow", .visibleOnly = true});
    ASSERT_LT(std::chrono::steady_clock::now() - shown, 30s) << "no main window";
    Sleep(20);
  }
  EXPECT_GE(std::chrono::steady_clock::now() - shown, 6s) << "the steps and the settling second";
  EXPECT_GE(seen.size(), 10u) << "the bar moves in steps";
  // The last step is followed at once by the load's blocking pause, so from outside the
  // bar is last seen one step before it is full.
  EXPECT_GE(seen.back(), 19);
  EXPECT_FALSE(IsWindowVisible(splash)) << "gone when the main window comes";
  MorvaneApp app(std::move(started), /*watched=*/true);
  EXPECT_TRUE(uidriver::noMessageBoxOpen(app.pid()));

  // A refused close leaves the program running; WordPad is only minimised.
  uidriver::click(app.button("E&xit"), 0ms);
  auto box = app.answerBox("Close Morvane?", "No");
  EXPECT_EQ(box.text, "Are You Sure You Want To Close The Program?");
  EXPECT_EQ(box.icon, BoxIcon::kQuestion);
  app.awaitStatus("Ready.", 5s);
  const std::string clock = app.timeText();
  uidriver::waitUntil([&] { return app.timeText() != clock; }, 3s, "the clock to tick again");

  // Windows shutting down asks the same; answered No, Morvane stays.
  PostMessageA(app.main, WM_QUERYENDSESSION, 0, 0);
  app.answerBox("Close Morvane?", "No");
  app.awaitStatus("Ready.", 5s);
  EXPECT_TRUE(app.process.isRunning());

  app.exit();
  EXPECT_TRUE(IsWindow(wordPad.window())) << "minimised, not closed";
  // Asked without waiting for its answer: it minimises once its thread gets to it.
  uidriver::waitUntil([&] { return IsIconic(wordPad.window()) != FALSE; }, 5s, "the minimise");
}

}  // namespace
}  // namespace morv::e2e
