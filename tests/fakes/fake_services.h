#pragma once
// Fakes of the smaller desktop services: programs, message boxes, files, the program.
#include <algorithm>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/processes.h"
#include "platform/program.h"
#include "tests/fakes/fake_text.h"

namespace morv::fakes {

struct ProgramStart {
  std::string path;  // or the whole command line
  WindowStyle style;
};

class FakeProcesses : public Processes {
 public:
  StartResult startProgram(const std::string& path, WindowStyle style) override {
    return start({path, style});
  }
  StartResult startCommandLine(const std::string& commandLine, WindowStyle style) override {
    return start({commandLine, style});
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
  MbAnswer show(const MessageBoxRequest& request) override {
    shown.push_back(request);
    if (whileOpen) whileOpen(request);
    const bool second = request.defaultButton == 2;
    if (!answers.empty()) {
      const MbAnswer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    if (request.buttons == MbButtons::YesNo) return second ? MbAnswer::No : MbAnswer::Yes;
    return request.buttons == MbButtons::OkCancel && second ? MbAnswer::Cancel : MbAnswer::Ok;
  }
  std::vector<std::string> titles() const {
    std::vector<std::string> result;
    for (const auto& box : shown) result.push_back(box.title);
    return result;
  }

  std::vector<MessageBoxRequest> shown;
  std::deque<MbAnswer> answers;
  // Runs while the box is open, before it is answered.
  std::function<void(const MessageBoxRequest&)> whileOpen;
};

class FakeFileSystem : public FileSystem {
 public:
  bool folderExists(const std::string& path) override { return Has(folders, path); }
  bool fileExists(const std::string& path) override { return Has(files, path); }
  std::string systemFolder() override { return "C:\\WINDOWS\\system32"; }
  std::string programFolder() override { return "c:\\Program Files\\Quorvix\\MORV"; }

  std::vector<std::string> folders;
  std::vector<std::string> files;

 private:
  static bool Has(const std::vector<std::string>& paths, const std::string& path) {
    return std::ranges::any_of(paths, [&](const std::string& p) { return SameText(p, path); });
  }
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
