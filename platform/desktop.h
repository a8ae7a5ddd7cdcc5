#pragma once
// Everything outside the program that its core may reach, in one bundle.
#include "platform/alarm_sound.h"
#include "platform/alarms_dialog.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/processes.h"
#include "platform/program.h"
#include "platform/registry.h"
#include "platform/repeat_dialog.h"
#include "platform/time_zone.h"
#include "platform/wake_timer.h"
#include "platform/window_manager.h"

namespace morv {

struct Desktop {
  WindowManager& windows;
  Registry& registry;
  Processes& processes;
  MessageBoxes& boxes;
  Clock& clock;
  Locale& locale;
  FileSystem& files;
  Program& program;
  TimeZone& timeZone;
  WakeTimer& wakeTimer;
  AlarmSound& alarmSound;
  RepeatDialog& repeatDialog;
  AlarmsDialog& alarmsDialog;
};

}  // namespace morv
