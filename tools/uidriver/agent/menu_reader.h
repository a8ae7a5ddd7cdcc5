#pragma once
// Menus are private to their process under Wine (reading another process's menu fails with
// error 1400), so the agent reads them from inside.
#include <windows.h>

#include "tools/uidriver/agent/answer_writer.h"

namespace morv::uidriver::agent {

// Writes every item of `menu` and its submenus as MenuRecords; false when it is no menu.
bool writeMenu(HMENU menu, AnswerWriter& out);

}  // namespace morv::uidriver::agent
