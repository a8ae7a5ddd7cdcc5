#include "tools/uidriver/text.h"

#include <windows.h>

#include <filesystem>

namespace morv::uidriver {

std::wstring widen(std::string_view utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

std::string narrow(std::wstring_view wide) {
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                  utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr));
  return utf8;
}

bool sameCaption(std::string_view actual, std::string_view wanted) {
  const auto plain = [](std::string_view caption) {
    std::string text(caption);
    std::erase(text, '&');
    return text;
  };
  return plain(actual) == plain(wanted);
}

std::string windowsPath(std::string_view path) {
  using ToDos = WCHAR*(CDECL*)(const char*);
  const auto convert = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  WCHAR* dos =
      path.empty() || path[0] != '/' || !convert ? nullptr : convert(std::string(path).c_str());
  if (!dos) return std::string(path);
  std::string converted = narrow(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return converted;
}

std::string buildFolder() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path().parent_path().string();
}

}  // namespace morv::uidriver
