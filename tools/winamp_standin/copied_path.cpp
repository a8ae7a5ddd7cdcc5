#include "tools/winamp_standin/copied_path.h"

#include <string_view>

namespace morv::standin {
namespace {

std::string Utf8(std::wstring_view text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size : 0, '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  }
  return out;
}

std::wstring FromAnsi(std::string_view text) {
  const int size =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(size > 0 ? size : 0, L'\0');
  if (size > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  }
  return out;
}

// The characters before the first NUL within `count`; none found is a path the sender
// forgot to end, which a real player would read on past into whatever follows.
template <typename Char>
std::variant<std::basic_string_view<Char>, PathRejected> Terminated(const void* data,
                                                                    size_t count) {
  const auto* chars = static_cast<const Char*>(data);
  const std::basic_string_view<Char> all(chars, count);
  const size_t end = all.find(Char{});
  if (end == all.npos) return PathRejected{"rejected: the path does not end in a NUL"};
  if (end == 0) return PathRejected{"rejected: an empty path"};
  return all.substr(0, end);
}

}  // namespace

std::variant<std::string, PathRejected> CopiedPath(const COPYDATASTRUCT& data, bool wide) {
  if (!data.lpData || data.cbData == 0) return PathRejected{"rejected: no path"};
  if (wide) {
    if (data.cbData % sizeof(wchar_t) != 0) {
      return PathRejected{"rejected: an odd number of bytes for a wide path"};
    }
    auto path = Terminated<wchar_t>(data.lpData, data.cbData / sizeof(wchar_t));
    if (auto* rejected = std::get_if<PathRejected>(&path)) return *rejected;
    return Utf8(std::get<std::wstring_view>(path));
  }
  auto path = Terminated<char>(data.lpData, data.cbData);
  if (auto* rejected = std::get_if<PathRejected>(&path)) return *rejected;
  return Utf8(FromAnsi(std::get<std::string_view>(path)));
}

}  // namespace morv::standin
