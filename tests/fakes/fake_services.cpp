#include "tests/fakes/fake_services.h"

#include <algorithm>

#include "tests/fakes/fake_text.h"

namespace morv::fakes {
namespace {

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
  return std::any_of(paths.begin(), paths.end(),
                     [&](const std::string& p) { return SameText(p, path); });
}

MbAnswer DefaultAnswer(const MessageBoxRequest& request) {
  switch (request.buttons) {
    case MbButtons::Ok:
      return MbAnswer::Ok;
    case MbButtons::OkCancel:
      return request.defaultButton == 2 ? MbAnswer::Cancel : MbAnswer::Ok;
    case MbButtons::YesNo:
      return request.defaultButton == 2 ? MbAnswer::No : MbAnswer::Yes;
  }
  return MbAnswer::Ok;
}

}  // namespace

MbAnswer FakeMessageBoxes::show(const MessageBoxRequest& request) {
  shown.push_back(request);
  if (whileOpen) whileOpen(request);
  if (answers.empty()) return DefaultAnswer(request);
  const MbAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::vector<std::string> FakeMessageBoxes::titles() const {
  std::vector<std::string> result;
  for (const auto& box : shown) result.push_back(box.title);
  return result;
}

bool FakeFileSystem::folderExists(const std::string& path) { return Contains(folders, path); }

bool FakeFileSystem::fileExists(const std::string& path) { return Contains(files, path); }

}  // namespace morv::fakes
