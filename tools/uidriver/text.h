#pragma once
// Text conversions shared by the driver: the API speaks UTF-8, Windows speaks UTF-16.
#include <string>
#include <string_view>

namespace morv::uidriver {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// A caption as a user reads it: mnemonic '&' markers dropped ("&&" stays one '&') and any
// accelerator text after a tab cut off. "&Save\tCtrl+S" reads "Save".
std::string plainCaption(std::string_view caption);

// True when two captions are the same or read the same (see plainCaption), so tests may write
// either "&Yes" or "Yes".
bool sameCaption(std::string_view actual, std::string_view wanted);

// A path usable by Windows calls. Under Wine, environment variables set by the Linux side
// (MORV_TOOLS_DIR, ...) hold Unix paths such as /work/build/tools, which Windows calls would
// read as C:\work\build\tools; those are converted with Wine's own mapping. Other paths pass.
std::string windowsPath(std::string_view path);

}  // namespace morv::uidriver
