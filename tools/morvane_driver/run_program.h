#pragma once
// Runs a console program to its end and hands back what it printed.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace morv::driver {

struct ProgramOutput {
  DWORD exitCode = 0;
  std::string text;
};

inline ProgramOutput RunProgram(const std::string& commandLine) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {~0u, "CreatePipe failed"};
  win32::UniqueProcessHandle reader(readEnd);
  win32::UniqueProcessHandle writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION info{};
  std::string mutableLine = commandLine;
  if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &info)) {
    return {~0u, "could not start: " + commandLine};
  }
  win32::UniqueProcessHandle process(info.hProcess);
  win32::UniqueProcessHandle thread(info.hThread);
  writer.reset();  // so the read below ends when the program does

  ProgramOutput output;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    output.text.append(chunk, got);
  }
  WaitForSingleObject(process.get(), 30000);
  GetExitCodeProcess(process.get(), &output.exitCode);
  return output;
}

}  // namespace morv::driver
