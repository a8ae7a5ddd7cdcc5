#pragma once
// Fakes of the smaller desktop services: programs, message boxes, files, the program.
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/processes.h"
#include "platform/program.h"

namespace morv::fakes {

struct ProgramStart {
  std::string path;  // or the whole command line
  WindowStyle style;
  bool commandLine;
};

class FakeProcesses : public Processes {
 public:
  StartResult startProgram(const std::string& path, WindowStyle style) override {
    return start({path, style, false});
  }
  StartResult startCommandLine(const std::string& commandLine, WindowStyle style) override {
    return start({commandLine, style, true});
  }

  std::vector<ProgramStart> starts;
  // Decides each start; every start succeeds when unset.
  std::function<StartResult(const ProgramStart&)> onStart;

 private:
  StartResult start(const ProgramStart& request) {
    starts.push_back(request);
    return onStart ? onStart(request) : StartResult::Started;
  }
};

// Records every box and answers from a script; unscripted boxes get their default
// button, as a user pressing Enter would.
class FakeMessageBoxes : public MessageBoxes {
 public:
  MbAnswer show(const MessageBoxRequest& request) override;

  std::vector<MessageBoxRequest> shown;
  std::deque<MbAnswer> answers;
  // Runs while the box is open, before it is answered.
  std::function<void(const MessageBoxRequest&)> whileOpen;

  std::vector<std::string> titles() const;
};

class FakeFileSystem : public FileSystem {
 public:
  bool folderExists(const std::string& path) override;
  bool fileExists(const std::string& path) override;
  std::string systemFolder() override { return "C:\\WINDOWS\\system32"; }
  std::string programFolder() override { return "c:\\Program Files\\Quorvix\\MORV"; }

  std::vector<std::string> folders;
  std::vector<std::string> files;
};

// Thrown where the real program would have ended, so a test sees the end and goes on.
struct ProgramEnded {};

class FakeProgram : public Program {
 public:
  [[noreturn]] void end() override { throw ProgramEnded{}; }
  // Without a handler nothing could ever happen: a wait would last for ever.
  void waitForEvents() override {
    if (!onWaitForEvents) throw std::logic_error("waiting for events that can never come");
    onWaitForEvents();
  }
  std::string title() const override { return title_; }
  void setTitle(const std::string& title) override {
    title_ = title;
    if (onTitle) onTitle(title);
  }

  std::function<void()> onWaitForEvents;
  // Lets a test give the title to a fake application window.
  std::function<void(const std::string&)> onTitle;

 private:
  std::string title_ = "MORV";
};

}  // namespace morv::fakes
