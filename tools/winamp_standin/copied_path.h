#pragma once
// The path a WM_COPYDATA request to add a file carries, read without trusting the sender:
// the bytes it declares and no more, and a terminating NUL among them.
#include <windows.h>

#include <string>
#include <variant>

namespace morv::standin {

struct PathRejected {
  std::string why;
};

// The path as UTF-8 (the log's encoding), or why it was refused. wide: UTF-16, as
// IPC_PLAYFILEW sends it; otherwise the system's ANSI code page.
std::variant<std::string, PathRejected> CopiedPath(const COPYDATASTRUCT& data, bool wide);

}  // namespace morv::standin
