#pragma once
// One owner per Windows handle: copy is deleted, a move hands the handle over and
// closes the one it replaces. Shaped after WIL's unique_any, which MinGW cannot build.
#include <windows.h>

#include <utility>

namespace morv::win32 {

template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  T release() { return std::exchange(handle_, Invalid); }
  void reset(T handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = Invalid;
};

using UniqueHkey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueHwnd = UniqueHandle<HWND, DestroyWindow>;
using UniqueHmenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueHicon = UniqueHandle<HICON, DestroyIcon>;
using UniqueHfont = UniqueHandle<HFONT, DeleteObject>;
using UniqueHgdiobj = UniqueHandle<HGDIOBJ, DeleteObject>;
using UniqueHaccel = UniqueHandle<HACCEL, DestroyAcceleratorTable>;
using UniqueProcessHandle = UniqueHandle<HANDLE, CloseHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using UniqueHmodule = UniqueHandle<HMODULE, FreeLibrary>;
using UniqueHdc = UniqueHandle<HDC, DeleteDC>;

}  // namespace morv::win32
