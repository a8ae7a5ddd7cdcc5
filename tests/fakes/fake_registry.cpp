#include "tests/fakes/fake_registry.h"

#include <algorithm>
#include <cctype>

namespace morv::fakes {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::string HiveName(Hive hive) {
  switch (hive) {
    case Hive::ClassesRoot:
      return "HKCR";
    case Hive::CurrentUser:
      return "HKCU";
    case Hive::LocalMachine:
      return "HKLM";
  }
  return "?";
}

FakeRegistry::KeyId FakeRegistry::Id(Hive hive, const std::string& path) {
  return {hive, Lower(path)};
}

std::optional<RegStatus> FakeRegistry::injected(RegOp op, Hive hive,
                                                const std::string& name) const {
  for (const Failure& f : failures_) {
    if (f.op == op && f.hive == hive && (f.name.empty() || Lower(f.name) == Lower(name))) {
      return f.status;
    }
  }
  return std::nullopt;
}

RegStatus FakeRegistry::createKey(Hive hive, const std::string& path) {
  calls.push_back("create " + HiveName(hive) + " " + path);
  if (auto status = injected(RegOp::Create, hive, "")) return *status;
  keys_[Id(hive, path)];
  return RegStatus::Ok;
}

RegRead FakeRegistry::readString(Hive hive, const std::string& path, const std::string& name) {
  calls.push_back("read " + HiveName(hive) + " " + path + " " + name);
  if (auto status = injected(RegOp::Read, hive, name)) return {*status, {}};
  auto key = keys_.find(Id(hive, path));
  if (key == keys_.end()) return {RegStatus::NotFound, {}};
  auto found = key->second.find(Lower(name));
  if (found == key->second.end()) return {RegStatus::NotFound, {}};
  if (!found->second.isString) return {RegStatus::WrongType, {}};
  return {RegStatus::Ok, found->second.data};
}

RegStatus FakeRegistry::writeString(Hive hive, const std::string& path, const std::string& name,
                                    const std::string& text) {
  calls.push_back("write " + HiveName(hive) + " " + path + " " + name + " = " + text);
  if (auto status = injected(RegOp::Write, hive, name)) return *status;
  keys_[Id(hive, path)][Lower(name)] = Value{true, text};
  return RegStatus::Ok;
}

void FakeRegistry::setString(Hive hive, const std::string& path, const std::string& name,
                             std::string text) {
  keys_[Id(hive, path)][Lower(name)] = Value{true, std::move(text)};
}

void FakeRegistry::setNonString(Hive hive, const std::string& path, const std::string& name) {
  keys_[Id(hive, path)][Lower(name)] = Value{false, {}};
}

std::optional<std::string> FakeRegistry::value(Hive hive, const std::string& path,
                                               const std::string& name) const {
  auto key = keys_.find(Id(hive, path));
  if (key == keys_.end()) return std::nullopt;
  auto found = key->second.find(Lower(name));
  if (found == key->second.end() || !found->second.isString) return std::nullopt;
  return found->second.data;
}

bool FakeRegistry::keyExists(Hive hive, const std::string& path) const {
  return keys_.count(Id(hive, path)) > 0;
}

void FakeRegistry::fail(RegOp op, Hive hive, std::string name, RegStatus status) {
  failures_.push_back({op, hive, std::move(name), status});
}

std::vector<std::string> FakeRegistry::writes() const {
  std::vector<std::string> result;
  for (const std::string& call : calls) {
    if (call.rfind("write ", 0) == 0) result.push_back(call);
  }
  return result;
}

}  // namespace morv::fakes
