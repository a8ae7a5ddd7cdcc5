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
  const bool second = request.defaultButton == 2;
  if (request.buttons == MbButtons::YesNo) return second ? MbAnswer::No : MbAnswer::Yes;
  return request.buttons == MbButtons::OkCancel && second ? MbAnswer::Cancel : MbAnswer::Ok;
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
