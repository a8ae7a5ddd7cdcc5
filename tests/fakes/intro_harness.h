#pragma once
// The start-up form on the fake desktop, with the main window it hands over to. The
// splash's waits run its timer on the virtual clock.
#include <stdexcept>

#include "startup/frm_intro.h"
#include "tests/fakes/main_form_harness.h"

namespace morv::fakes {

struct IntroHarness : MainFormHarness {
  IntroHarness() {
    d.program.onWaitForEvents = [this] {
      if (!timer.enabled()) throw std::logic_error("the splash waits on a stopped timer");
      const auto due = timer.nextDue;
      if (due > d.clock.steady) d.clock.pass(due - d.clock.steady);
      intro.MyTimer_Timer();
      if (timer.nextDue == due) timer.nextDue = due + timer.interval();
    };
  }
  // Runs the start-up; true when the program ended inside it.
  bool Start() {
    return d.ends([this] { intro.Form_Load(); });
  }

  FakeFormWindow splash{0x1000};
  FakeTimer timer{d.clock};
  FakeProgressBar bar;
  IntroFormControls controls{splash, timer, bar};
  FrmIntro intro{d.desktop, controls, [this]() -> FrmMain& { return form; }};
};

}  // namespace morv::fakes
