#pragma once
// Memory inside the target process. Common-control messages that carry pointers (SB_GETTEXT,
// TTM_ENUMTOOLS, MCM_HITTEST, ...) are not marshalled between processes, neither by Windows nor
// by Wine: the pointer must be valid in the target, so the driver allocates there, sends, and
// reads the answer back.
#include <windows.h>

#include <cstddef>

#include "platform/win32/unique_handle.h"

namespace morv::uidriver {

// A process handle with the rights the driver needs (read, write, allocate, start threads).
win32::UniqueProcessHandle openProcess(DWORD pid);

// ReadProcessMemory and WriteProcessMemory, retried for a moment when refused. Wine's server
// reads another process's memory through one of its threads; right after a remote thread of
// ours has ended it may still pick that dying thread, and the access is refused (error 5).
bool readRemote(HANDLE process, const void* address, void* data, size_t size);
bool writeRemote(HANDLE process, void* address, const void* data, size_t size);

class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size);
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  // The address as the target sees it, for message parameters.
  void* address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(address(offset)); }
  size_t size() const { return size_; }

  void write(size_t offset, const void* data, size_t size);
  void read(size_t offset, void* data, size_t size) const;
  template <typename T>
  void store(const T& value, size_t offset = 0) {
    write(offset, &value, sizeof(T));
  }
  template <typename T>
  T load(size_t offset = 0) const {
    T value{};
    read(offset, &value, sizeof(T));
    return value;
  }

  // Leaves the memory allocated: a remote thread that timed out may still write into it.
  void abandon() { address_ = nullptr; }

 private:
  HANDLE process_;
  void* address_;
  size_t size_;
};

}  // namespace morv::uidriver
