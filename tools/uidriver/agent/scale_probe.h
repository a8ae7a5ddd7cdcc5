#pragma once
// What the agent measures for the display-scale tests: texts in their controls' fonts,
// the calendar's least size, icon sizes, and the picture the program hands the tray.
#include <windows.h>

#include "tools/uidriver/agent/answer_writer.h"
#include "tools/uidriver/agent/protocol.h"

namespace morv::uidriver::agent {

// Width and height of the control's text in the font it draws with, access keys left out.
Status textExtent(HWND control, AnswerWriter& out);
// MCM_GETMINREQRECT's width and height.
Status calendarMinSize(HWND calendar, AnswerWriter& out);
// The width of the window's own icon (WM_GETICON), ICON_SMALL or ICON_BIG; 0 for none.
Status windowIconWidth(HWND window, int which, AnswerWriter& out);
// Starts watching the program's calls to Shell_NotifyIconA (through its import table);
// answers the width of the last picture it handed the shell, 0 before any.
Status trayPictureWidth(AnswerWriter& out);

}  // namespace morv::uidriver::agent
