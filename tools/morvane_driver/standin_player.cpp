#include "tools/morvane_driver/standin_player.h"

#include <fstream>
#include <sstream>

namespace morv::driver {

std::vector<PlayerLogLine> Logged(const std::string& path, const std::string& name) {
  std::vector<PlayerLogLine> lines;
  std::ifstream file(path);
  int order = 0;
  for (std::string text; std::getline(file, text);) {
    PlayerLogLine line{.order = order++, .time = text.substr(0, 23)};
    std::istringstream fields(text.substr(std::min<size_t>(text.size(), 24)));
    for (std::string field; fields >> field;) {
      const auto equals = field.find('=');
      const std::string key = field.substr(0, equals);
      const std::string value = equals == std::string::npos ? "" : field.substr(equals + 1);
      if (key == "name") line.name = value;
      if (key == "epoch_ms") line.epochMs = std::stoll(value);
      if (key == "volume") {  // free text follows
        line.volume = std::stoi(value);
        std::getline(fields >> std::ws, line.note);
        break;
      }
    }
    if (line.name == name) lines.push_back(line);
  }
  return lines;
}

std::string FreshLogPath(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path =
      std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + ".log";
  DeleteFileA(path.c_str());
  return path;
}

}  // namespace morv::driver
