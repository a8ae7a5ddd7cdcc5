#include "tools/uidriver/text.h"

#include <windows.h>

#include <memory>

namespace morv::uidriver {

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(count, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), count);
  return wide;
}

std::string narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(count, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), count, nullptr, nullptr);
  return utf8;
}

std::string plainCaption(std::string_view caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size() && caption[i] != '\t'; ++i) {
    if (caption[i] != '&') {
      plain += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      plain += '&';
      ++i;
    }
  }
  return plain;
}

bool sameCaption(std::string_view actual, std::string_view wanted) {
  return actual == wanted || plainCaption(actual) == plainCaption(wanted);
}

std::string windowsPath(std::string_view path) {
  if (path.empty() || path.front() != '/') return std::string(path);
  using ToDos = WCHAR*(CDECL*)(const char*);
  const auto convert = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (convert == nullptr) return std::string(path);
  WCHAR* dos = convert(std::string(path).c_str());
  if (dos == nullptr) return std::string(path);
  std::string converted = narrow(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return converted;
}

}  // namespace morv::uidriver
