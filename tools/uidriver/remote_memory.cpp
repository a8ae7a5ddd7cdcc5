#include "tools/uidriver/remote_memory.h"

#include <string>

#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw DriverError(what + " (error " + std::to_string(GetLastError()) + ")");
}

// Wine's server reads and writes another process's memory through one of its threads; right
// after a remote thread of ours has ended it may still pick that dying one and refuse (error 5).
template <typename Access>
bool Retried(Access access) {
  for (int attempt = 0;; ++attempt) {
    SIZE_T done = 0;
    if (access(done)) return true;
    if (GetLastError() != ERROR_ACCESS_DENIED || attempt == 100) return false;
    Sleep(5);
  }
}

}  // namespace

win32::UniqueProcessHandle openProcess(DWORD pid) {
  win32::UniqueProcessHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ |
                                                     PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION |
                                                     PROCESS_CREATE_THREAD | SYNCHRONIZE,
                                                 FALSE, pid));
  if (!process) Fail("cannot open process " + std::to_string(pid));
  return process;
}

bool readRemote(HANDLE process, const void* address, void* data, size_t size) {
  return Retried([&](SIZE_T& got) {
    return ReadProcessMemory(process, address, data, size, &got) && got == size;
  });
}

RemoteBuffer::RemoteBuffer(DWORD pid, size_t size)
    : process_(openProcess(pid)),
      address_(
          VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {
  if (!address_) Fail("cannot allocate " + std::to_string(size) + " bytes in the program");
}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

void RemoteBuffer::write(size_t offset, const void* data, size_t size) {
  if (offset + size > size_ || !Retried([&](SIZE_T& written) {
        return WriteProcessMemory(process_.get(), address(offset), data, size, &written) &&
               written == size;
      })) {
    Fail("cannot write " + std::to_string(size) + " bytes into the program");
  }
}

void RemoteBuffer::read(size_t offset, void* data, size_t size) const {
  if (offset + size > size_ || !readRemote(process_.get(), address(offset), data, size)) {
    Fail("cannot read " + std::to_string(size) + " bytes from the program");
  }
}

DWORD_PTR RemoteBuffer::send(HWND window, UINT message, WPARAM wParam, UINT timeoutMs) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, param(), SMTO_NORMAL, timeoutMs, &result)) {
    abandon();
    throw DriverError(describeWindow(window) + " did not answer message " +
                      std::to_string(message));
  }
  return result;
}

}  // namespace morv::uidriver
