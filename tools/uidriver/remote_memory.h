#pragma once
// Memory inside another process. Common-control messages that carry pointers (SB_GETTEXT,
// TTM_ENUMTOOLS, MCM_HITTEST, ...) are not marshalled between processes: the driver allocates
// their structures in the target, sends, and reads the answer back.
#include <windows.h>

#include <cstddef>

#include "win32/unique_handle.h"

namespace morv::uidriver {

// A handle with the rights the driver needs: read, write, allocate, start threads, wait.
win32::UniqueProcessHandle openProcess(DWORD pid);

// ReadProcessMemory, retried for a moment when Wine refuses it (remote_memory.cpp says why).
bool readRemote(HANDLE process, const void* address, void* data, size_t size);

// Memory in process `pid`.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD pid, size_t size);
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  // The address as the target sees it, for message parameters.
  void* address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(address(offset)); }

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
  // Leaves the memory allocated: an answer that came too late may still be written into it.
  void abandon() { address_ = nullptr; }
  // Sends `message` with the buffer as lParam and returns the answer; throws, abandoning the
  // memory, when the window has not answered within `timeoutMs`.
  DWORD_PTR send(HWND window, UINT message, WPARAM wParam = 0, UINT timeoutMs = 10000);

 private:
  win32::UniqueProcessHandle process_;
  void* address_;
  size_t size_;
};

}  // namespace morv::uidriver
