#pragma once
// The UI driver for end-to-end tests: drives a Win32 program from outside, as a user would.
// See tools/uidriver/README.md.
#include "tools/uidriver/calendar.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/input.h"
#include "tools/uidriver/menu.h"
#include "tools/uidriver/message_box.h"
#include "tools/uidriver/process.h"
#include "tools/uidriver/scale.h"
#include "tools/uidriver/screenshot.h"
#include "tools/uidriver/status_bar.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/tooltip.h"
#include "tools/uidriver/tray.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"
