#include "win32/registry_win.h"

#include <windows.h>

#include <vector>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace morv::win32 {
namespace {

HKEY Root(Hive hive) {
  switch (hive) {
    case Hive::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case Hive::CurrentUser:
      return HKEY_CURRENT_USER;
    case Hive::LocalMachine:
      return HKEY_LOCAL_MACHINE;
  }
  return HKEY_CURRENT_USER;
}

RegStatus StatusOf(LONG error) {
  switch (error) {
    case ERROR_SUCCESS:
      return RegStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return RegStatus::NotFound;
    case ERROR_ACCESS_DENIED:
      return RegStatus::AccessDenied;
    default:
      return RegStatus::Failed;
  }
}

}  // namespace

RegStatus RegistryWin::createKey(Hive hive, const std::string& path) {
  HKEY key = nullptr;
  const LONG error =
      RegCreateKeyExW(Root(hive), Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE, nullptr, &key, nullptr);
  UniqueHkey owned(key);
  return StatusOf(error);
}

RegRead RegistryWin::readString(Hive hive, const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  LONG error = RegOpenKeyExW(Root(hive), Wide(path).c_str(), 0, KEY_QUERY_VALUE, &key);
  if (error != ERROR_SUCCESS) return {StatusOf(error), {}};
  UniqueHkey owned(key);
  const std::wstring value = Wide(name);

  // The size can change between asking and reading (another program writing), and a
  // stored string need not end in a NUL: read into a buffer one character larger than
  // asked for, retry while it grows, and cut at the first NUL ourselves.
  std::vector<wchar_t> buffer;
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    error = RegQueryValueExW(key, value.c_str(), nullptr, &type, nullptr, &size);
    if (error != ERROR_SUCCESS) return {StatusOf(error), {}};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {RegStatus::WrongType, {}};
    buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = size;
    error = RegQueryValueExW(key, value.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (error == ERROR_MORE_DATA) continue;
    if (error != ERROR_SUCCESS) return {StatusOf(error), {}};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {RegStatus::WrongType, {}};
    std::wstring_view text(buffer.data(), got / sizeof(wchar_t));
    if (auto nul = text.find(L'\0'); nul != std::wstring_view::npos) text = text.substr(0, nul);
    return {RegStatus::Ok, Utf8(text)};
  }
  return {RegStatus::Failed, {}};
}

RegStatus RegistryWin::writeString(Hive hive, const std::string& path, const std::string& name,
                                   const std::string& text) {
  HKEY key = nullptr;
  LONG error = RegCreateKeyExW(Root(hive), Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_SET_VALUE, nullptr, &key, nullptr);
  if (error != ERROR_SUCCESS) return StatusOf(error);
  UniqueHkey owned(key);
  const std::wstring data = Wide(text);
  error = RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(data.c_str()),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  return StatusOf(error);
}

}  // namespace morv::win32
