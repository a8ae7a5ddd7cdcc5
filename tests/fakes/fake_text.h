#pragma once
// Windows compares class names, paths and registry names without regard to case.
#include <algorithm>
#include <cctype>
#include <string>

namespace morv::fakes {

inline std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

inline bool SameText(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

}  // namespace morv::fakes
