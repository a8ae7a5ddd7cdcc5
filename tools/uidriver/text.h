#pragma once
// Text and paths as the driver passes them: UTF-8 outside, UTF-16 to Windows.
#include <string>
#include <string_view>

namespace morv::uidriver {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Whether two captions read the same to a user, access-key '&' markers aside: "&Yes" is "Yes".
bool sameCaption(std::string_view actual, std::string_view wanted);

// A path usable by Windows calls. Under Wine a Unix path from the Linux side (/work/x) would be
// read as C:\work\x; it is converted with Wine's own mapping. Other paths pass unchanged.
std::string windowsPath(std::string_view path);

// The build folder: the parent of the running program's own folder.
std::string buildFolder();

}  // namespace morv::uidriver
