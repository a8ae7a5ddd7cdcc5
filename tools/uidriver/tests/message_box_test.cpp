// Message boxes: what they show, and answering them as a user.
#include "tools/uidriver/tests/target_fixture.h"

namespace morv::uidriver::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MessageBoxTest : public TargetTest {
 protected:
  void SetUp() override { launch(); }
};

TEST_F(MessageBoxTest, ReadsAQuestionAndAnswersIt) {
  EXPECT_TRUE(noMessageBoxOpen(pid()));
  click(control(kAsk));
  const MessageBoxInfo box = waitForMessageBox(pid(), "Target Question", 5s);
  EXPECT_EQ(box.text, "Proceed?");
  EXPECT_EQ(box.icon, BoxIcon::kQuestion);
  EXPECT_THAT(box.buttons, ElementsAre("&Yes", "&No"));
  answer(box, "No");
  EXPECT_TRUE(logged("ask no"));
  EXPECT_TRUE(noMessageBoxOpen(pid()));
  EXPECT_THROW(answer(box, "No"), DriverError);
}

TEST_F(MessageBoxTest, PressesOnlyTheVisibleButtons) {
  click(control(kConfirm));
  const MessageBoxInfo box = waitForMessageBox(pid(), "Target Confirm", 5s);
  EXPECT_EQ(box.icon, BoxIcon::kNone);
  EXPECT_THAT(box.buttons, ElementsAre("OK", "Cancel"));
  try {
    // Wine keeps a hidden Yes button in this box; pressing it would answer IDYES.
    answer(box, "&Yes");
    FAIL() << "pressed a button the box does not show";
  } catch (const DriverError& error) {
    EXPECT_THAT(error.what(), HasSubstr("visible buttons: 'OK' 'Cancel'"));
  }
  answer(box, "Cancel");
  EXPECT_TRUE(logged("confirm cancel"));
}

TEST_F(MessageBoxTest, TheNextBoxIsNotMistakenForTheOneJustAnswered) {
  click(control(kChain));
  const MessageBoxInfo first = waitForMessageBox(pid(), "Target Chain", 5s);
  EXPECT_EQ(first.text, "First");
  answer(first, "OK");
  EXPECT_TRUE(logged("chain first ok"));
  const MessageBoxInfo second = waitForMessageBox(pid(), "Target Chain", 5s);
  EXPECT_NE(second.window, first.window);
  EXPECT_EQ(second.text, "Second");
  EXPECT_EQ(second.icon, BoxIcon::kWarning);
  answer(second, "&Yes");
  EXPECT_TRUE(logged("chain second yes"));
  EXPECT_THROW(waitForMessageBox(pid(), "Target Chain", 200ms), DriverError);
}

}  // namespace
}  // namespace morv::uidriver::testing
