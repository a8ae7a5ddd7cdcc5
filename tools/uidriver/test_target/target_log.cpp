#include "tools/uidriver/test_target/target_log.h"

#include <windows.h>

#include <cstdio>

namespace morv::uidriver::target {
namespace {

FILE* g_log = nullptr;

}  // namespace

void openLog() {
  const wchar_t* name = _wgetenv(L"UIDRIVER_TARGET_LOG");
  g_log = name != nullptr ? _wfopen(name, L"a") : nullptr;
}

void logLine(const std::string& line) {
  FILE* out = g_log != nullptr ? g_log : stdout;
  std::fprintf(out, "%s\n", line.c_str());
  std::fflush(out);
}

}  // namespace morv::uidriver::target
