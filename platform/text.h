#pragma once
// Small text helpers every part of the core shares.
#include <string>

namespace morv {

// The text without the given characters at either end.
inline std::string Trimmed(const std::string& text, const char* blanks = " ") {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace morv
