#include "tools/morvane_driver/standin_player.h"

#include <fstream>
#include <sstream>

namespace morv::driver {
namespace {

std::string Environment(const std::map<std::string, std::string>& extra) {
  // The parent's block, with the extra variables replacing any of the same name.
  std::map<std::string, std::string> variables;
  if (char* block = GetEnvironmentStringsA()) {
    for (const char* entry = block; *entry; entry += std::char_traits<char>::length(entry) + 1) {
      std::string line(entry);
      const auto equals = line.find('=', 1);
      if (equals != std::string::npos) variables[line.substr(0, equals)] = line.substr(equals + 1);
    }
    FreeEnvironmentStringsA(block);
  }
  for (const auto& [name, value] : extra) variables[name] = value;
  std::string result;
  for (const auto& [name, value] : variables) result += name + "=" + value + '\0';
  return result + '\0';
}

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindPlayerOf(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char className[64] = {};
  GetClassNameA(window, className, sizeof(className));
  if (pid == search->pid && std::string(className) == "Winamp v1.x") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string ToolsFolder() {
  char value[MAX_PATH] = {};
  if (GetEnvironmentVariableA("MORV_TOOLS_DIR", value, MAX_PATH) > 0) return value;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.resize(folder.find_last_of("\\/"));
  return folder.substr(0, folder.find_last_of("\\/")) + "\\tools";
}

std::string FreshLogPath(const std::string& name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string path =
      std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId()) + ".log";
  DeleteFileA(path.c_str());
  return path;
}

std::vector<PlayerLogLine> ReadPlayerLog(const std::string& path) {
  std::vector<PlayerLogLine> lines;
  std::ifstream file(path);
  std::string text;
  while (std::getline(file, text)) {
    PlayerLogLine line;
    line.time = text.substr(0, 23);
    std::istringstream fields(text.substr(text.size() > 24 ? 24 : text.size()));
    std::string field;
    while (fields >> field) {
      const auto equals = field.find('=');
      if (equals == std::string::npos) continue;
      const std::string key = field.substr(0, equals);
      const std::string value = field.substr(equals + 1);
      if (key == "name") line.name = value;
      if (key == "wparam") line.wParam = std::stoull(value);
      if (key == "epoch_ms") line.epochMs = std::stoll(value);
      if (key == "state") line.state = std::stoi(value);
      if (key == "volume") {  // free text follows
        line.volume = std::stoi(value);
        std::getline(fields >> std::ws, line.note);
        break;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<PlayerLogLine> Named(const std::vector<PlayerLogLine>& lines, const std::string& name) {
  std::vector<PlayerLogLine> result;
  for (const auto& line : lines) {
    if (line.name == name) result.push_back(line);
  }
  return result;
}

StandInPlayer::StandInPlayer(const std::map<std::string, std::string>& environment) {
  std::string path = ToolsFolder() + "\\winamp-standin.exe";
  std::string commandLine = "\"" + path + "\"";
  auto variables = environment;
  variables.emplace("WINAMP_STANDIN_SILENT", "1");
  std::string block = Environment(variables);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, block.data(),
                      nullptr, &startup, &info)) {
    return;
  }
  process_.reset(info.hProcess);
  win32::UniqueProcessHandle thread(info.hThread);
  pid_ = info.dwProcessId;
  for (int waited = 0; waited < 15000 && !window_; waited += 20) {
    Search search{pid_, nullptr};
    EnumWindows(FindPlayerOf, reinterpret_cast<LPARAM>(&search));
    window_ = search.found;
    if (!window_) Sleep(20);
  }
  // Found is not yet answering: make sure its thread handles messages before tests time them.
  DWORD_PTR ignored = 0;
  if (window_) SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

StandInPlayer::~StandInPlayer() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool StandInPlayer::waitForExit(DWORD milliseconds) {
  return process_ && WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
}

}  // namespace morv::driver
