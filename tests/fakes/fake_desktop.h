#pragma once
// The whole desktop, faked, as one object a test can set up and inspect.
#include "platform/desktop.h"
#include "tests/fakes/fake_alarms_dialog.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_player.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_repeat_dialog.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/fake_wake.h"
#include "tests/fakes/fake_windows.h"

namespace morv::fakes {

struct FakeDesktop {
  FakeClock clock;
  FakeLocale locale;
  FakeWindowManager windows{clock};
  FakeRegistry registry;
  FakeProcesses processes;
  FakeMessageBoxes boxes;
  FakeFileSystem files;
  FakeProgram program;
  FakePlayers players{windows};
  FakeTimeZone timeZone;
  FakeWakeTimer wakeTimer;
  FakeAlarmSound alarmSound;
  FakeRepeatDialog repeatDialog;
  FakeAlarmsDialog alarmsDialog;
  Desktop desktop{windows,  registry,  processes,  boxes,        clock,       locale, files,
                  program,  timeZone,  wakeTimer,  alarmSound,   repeatDialog, alarmsDialog};

  // Runs `action` and tells whether the program ended inside it.
  template <typename Action>
  bool ends(Action&& action) {
    try {
      action();
    } catch (const ProgramEnded&) {
      return true;
    }
    return false;
  }
};

}  // namespace morv::fakes
