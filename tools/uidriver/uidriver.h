#pragma once
// The UI driver for end-to-end tests: drives a Win32 program from outside, as a user would.
// See tools/uidriver/README.md.
#include "tools/uidriver/calendar.h"
#include "tools/uidriver/input.h"
#include "tools/uidriver/message_box.h"
#include "tools/uidriver/process.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/tooltips.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"
