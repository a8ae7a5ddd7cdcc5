#include "tools/bench/channel.h"

#include <cstdio>
#include <iostream>

namespace morv::bench {

void Event(const std::string& line) {
  std::printf("@%s\n", line.c_str());
  std::fflush(stdout);
}

std::string Request(const std::string& line) {
  std::printf("?%s\n", line.c_str());
  std::fflush(stdout);
  std::string answer;
  if (!std::getline(std::cin, answer)) return {};
  return answer;
}

}  // namespace morv::bench
