#pragma once
// A picture of the whole screen (under Wine: the virtual desktop) as a 24-bit .bmp file.
#include <string_view>

namespace morv::uidriver {

void saveScreenshot(std::string_view path);

}  // namespace morv::uidriver
