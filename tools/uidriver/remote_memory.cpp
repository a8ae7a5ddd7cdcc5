#include "tools/uidriver/remote_memory.h"

#include <string>

#include "tools/uidriver/driver_error.h"

namespace morv::uidriver {

win32::UniqueProcessHandle openProcess(DWORD pid) {
  constexpr DWORD kRights = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                            PROCESS_QUERY_INFORMATION | PROCESS_CREATE_THREAD | SYNCHRONIZE;
  win32::UniqueProcessHandle process(OpenProcess(kRights, FALSE, pid));
  if (!process) {
    throw DriverError("cannot open process " + std::to_string(pid) + " (error " +
                      std::to_string(GetLastError()) + ")");
  }
  return process;
}

namespace {

template <typename Access>
bool Retried(Access access) {
  for (int attempt = 0;; ++attempt) {
    if (access()) return true;
    if (GetLastError() != ERROR_ACCESS_DENIED || attempt == 100) return false;
    Sleep(5);
  }
}

}  // namespace

bool readRemote(HANDLE process, const void* address, void* data, size_t size) {
  return Retried([&] {
    SIZE_T got = 0;
    return ReadProcessMemory(process, address, data, size, &got) && got == size;
  });
}

bool writeRemote(HANDLE process, void* address, const void* data, size_t size) {
  return Retried([&] {
    SIZE_T written = 0;
    return WriteProcessMemory(process, address, data, size, &written) && written == size;
  });
}

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {
  if (address_ == nullptr) {
    throw DriverError("cannot allocate " + std::to_string(size) +
                      " bytes in the target process (error " + std::to_string(GetLastError()) +
                      ")");
  }
}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

void RemoteBuffer::write(size_t offset, const void* data, size_t size) {
  if (offset + size > size_ || !writeRemote(process_, address(offset), data, size)) {
    throw DriverError("cannot write " + std::to_string(size) +
                      " bytes into the target process (error " + std::to_string(GetLastError()) +
                      ")");
  }
}

void RemoteBuffer::read(size_t offset, void* data, size_t size) const {
  if (offset + size > size_ || !readRemote(process_, address(offset), data, size)) {
    throw DriverError("cannot read " + std::to_string(size) +
                      " bytes from the target process (error " + std::to_string(GetLastError()) +
                      ")");
  }
}

}  // namespace morv::uidriver
