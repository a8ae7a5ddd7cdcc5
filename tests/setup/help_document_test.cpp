// The installed help document as a user sees it: opened in WordPad, the word processor
// the program's Help menu starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>

#include "tests/setup/setup_bed.h"
#include "tools/uidriver/uidriver.h"

namespace morv::setup_test {
namespace {

using namespace std::chrono_literals;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// WordPad's main window once it shows the help document, whichever program started
// it. WordPad would run on after the test: it is ended with the test.
class OpenWordPad {
 public:
  OpenWordPad() {
    // The window comes up as an untitled document, then loads the file.
    window = uidriver::waitFor(
        []() -> std::optional<HWND> {
          HWND found = FindWindowA("WORDPADTOP", nullptr);
          if (found && IsWindowVisible(found) &&
              Lower(uidriver::windowTitle(found)).find("morvhelp.doc") != std::string::npos) {
            return found;
          }
          return std::nullopt;
        },
        30s, "WordPad showing MORVHELP.DOC");
  }
  ~OpenWordPad() {
    const win32::UniqueProcessHandle process(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, uidriver::processOf(window)));
    if (process) {
      TerminateProcess(process.get(), 0);
      WaitForSingleObject(process.get(), 10000);
    }
  }

  std::string documentText() const {
    for (HWND child : uidriver::childWindows(window)) {
      if (Lower(uidriver::className(child)).rfind("richedit", 0) == 0) {
        return uidriver::windowText(child, 5s);
      }
    }
    throw uidriver::DriverError("no rich edit in WordPad's window");
  }

  HWND window = nullptr;
};

class HelpDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveEverything();
    ASSERT_EQ(RunToEnd("\"" + SetupProgram() + "\" /S"), 0u);
  }
  void TearDown() override { RemoveEverything(); }
};

// F1 in the installed program starts WordPad on the guide beside it; without the guide,
// the user is told so and nothing is started.
TEST_F(HelpDocumentTest, F1InTheInstalledProgramOpensTheGuideInWordPad) {
  const std::string folder = InstallFolder();
  auto morvane = uidriver::Process::launch({.executable = folder + "\\MORVU.EXE",
                                            .workingDirectory = folder,
                                            .environment = {{"WINAMP_STANDIN_SILENT", "1"}}});
  const HWND main = uidriver::waitForWindow(
      morvane.pid(), {.className = "MorvaneMainWindow", .visibleOnly = true}, 30s);
  uidriver::waitUntil(
      [&] { return uidriver::isEnabled(uidriver::findChild(main, "Button", "Turn &On")); }, 10s,
      "the hand-over to end", morvane.pid());
  uidriver::pressKey(main, VK_F1);
  {
    const OpenWordPad wordPad;
    const std::string text = wordPad.documentText();
    // Read as rich text, not shown as its source; escaped paths come out whole.
    for (const char* source : {"{\\rtf", "\\par", "\\b0", "\\'"}) {
      EXPECT_EQ(text.find(source), std::string::npos) << source;
    }
    for (const char* shown :
         {"What Morvane does", "07:05", "Snooze", "Send To Tray", "Start In System Tray",
          "C:\\Program Files\\WinAmp\\WinAmp.exe", "HKEY_LOCAL_MACHINE\\SOFTWARE\\QUORVIX\\MORV",
          "Also remove my alarm settings"}) {
      EXPECT_NE(text.find(shown), std::string::npos) << shown;
    }
  }
  ASSERT_TRUE(DeleteFileA((folder + "\\MORVHELP.DOC").c_str()));
  uidriver::pressKey(main, VK_F1, {}, 0ms);
  auto box = uidriver::waitForMessageBox(morvane.pid(), "Morvane Help", 10s);
  EXPECT_EQ(box.text, "Document Could Not Be Found!");
  EXPECT_EQ(box.icon, uidriver::BoxIcon::kError);
  uidriver::answer(box, "OK");
  EXPECT_EQ(FindWindowA("WORDPADTOP", nullptr), nullptr);
}

}  // namespace
}  // namespace morv::setup_test
