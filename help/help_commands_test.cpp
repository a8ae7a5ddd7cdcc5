// The help document and the About box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::LoadedHarness;
using ::testing::ElementsAre;

constexpr char kDocument[] = "c:\\Program Files\\Quorvix\\MORV\\MORVHELP.DOC";
// Both quoted, or the blanks in the paths would split them.
constexpr char kWordPadOnDocument[] =
    "\"C:\\WINDOWS\\system32\\write.exe\" \"c:\\Program Files\\Quorvix\\MORV\\MORVHELP.DOC\"";

TEST(HelpTest, TheDocumentOpensInWordPadOrTheUserIsToldWhy) {
  struct Case {
    const char* what;
    bool present;
    StartResult start;
    std::vector<std::string> boxes;
    const char* status;
  } const cases[] = {
      {"started", true, StartResult::Started, {}, "Help Document Was Started.  Ready."},
      {"no document", false, StartResult::Started, {"Morvane Help"}, "Ready."},
      {"no WordPad", true, StartResult::FileNotFound, {"Morvane Help"}, "Ready."},
  };
  for (const Case& c : cases) {
    LoadedHarness h;
    if (c.present) h.d.files.files.push_back(kDocument);
    h.d.processes.onStart = [&](const fakes::ProgramStart&) { return c.start; };
    MousePointer during = MousePointer::Default;
    h.d.boxes.whileOpen = [&](const MessageBoxRequest&) { during = h.ui.form.mousePointer(); };
    h.form.mnuPopUpHelp_Click();  // the tray's Help is the Help menu's Contents
    EXPECT_EQ(h.d.boxes.titles(), c.boxes) << c.what;
    EXPECT_EQ(h.ui.StatusBar1.text(), c.status) << c.what;
    EXPECT_EQ(h.ui.form.mousePointer(), MousePointer::Default) << c.what;
    EXPECT_EQ(during, c.boxes.empty() ? MousePointer::Default : MousePointer::Hourglass) << c.what;
    EXPECT_EQ(h.d.processes.starts.empty() ? "" : h.d.processes.starts[0].path,
              c.present ? kWordPadOnDocument : "")
        << c.what;
    EXPECT_TRUE(h.ui.MyTimer.enabled()) << c.what;
  }
}

TEST(HelpTest, AboutStopsTheClockWhileItsBoxesAreOpen) {
  LoadedHarness h;
  std::vector<bool> ticking;
  h.d.boxes.whileOpen = [&](auto&) { ticking.push_back(h.ui.MyTimer.enabled()); };
  h.form.mnuAbout_Click();
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("About Morvane(tm)", "For Your Information!"));
  EXPECT_THAT(ticking, ElementsAre(false, false));
  EXPECT_TRUE(h.ui.MyTimer.enabled());
}

}  // namespace
}  // namespace morv
