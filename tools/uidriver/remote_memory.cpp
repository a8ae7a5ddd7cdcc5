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
  SIZE_T written = 0;
  if (offset + size > size_ ||
      !WriteProcessMemory(process_, address(offset), data, size, &written) || written != size) {
    throw DriverError("cannot write " + std::to_string(size) +
                      " bytes into the target process (error " + std::to_string(GetLastError()) +
                      ")");
  }
}

void RemoteBuffer::read(size_t offset, void* data, size_t size) const {
  SIZE_T got = 0;
  if (offset + size > size_ || !ReadProcessMemory(process_, address(offset), data, size, &got) ||
      got != size) {
    throw DriverError("cannot read " + std::to_string(size) +
                      " bytes from the target process (error " + std::to_string(GetLastError()) +
                      ")");
  }
}

}  // namespace morv::uidriver
