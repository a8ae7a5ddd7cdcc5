#include "tests/fakes/fake_registry.h"

#include "tests/fakes/fake_text.h"

namespace morv::fakes {
namespace {

std::string HiveName(Hive hive) {
  return hive == Hive::ClassesRoot ? "HKCR" : hive == Hive::CurrentUser ? "HKCU" : "HKLM";
}

std::string KeyId(Hive hive, const std::string& path) { return HiveName(hive) + Lower(path); }

}  // namespace

std::optional<RegStatus> FakeRegistry::injected(RegOp op, Hive hive,
                                                const std::string& name) const {
  for (const Failure& f : failures_) {
    if (f.op == op && f.hive == hive && (f.name.empty() || SameText(f.name, name))) return f.status;
  }
  return std::nullopt;
}

void FakeRegistry::record(const char* op, Hive hive, const std::string& rest) {
  calls.push_back(std::string(op) + " " + HiveName(hive) + " " + rest);
}

RegStatus FakeRegistry::createKey(Hive hive, const std::string& path) {
  record("create", hive, path);
  if (auto status = injected(RegOp::Create, hive, "")) return *status;
  keys_.insert(KeyId(hive, path));
  return RegStatus::Ok;
}

RegRead FakeRegistry::readString(Hive hive, const std::string& path, const std::string& name) {
  record("read", hive, path + " " + name);
  if (auto status = injected(RegOp::Read, hive, name)) return {*status, {}};
  auto found = values_.find({KeyId(hive, path), Lower(name)});
  if (found == values_.end()) return {RegStatus::NotFound, {}};
  if (!found->second) return {RegStatus::WrongType, {}};
  return {RegStatus::Ok, *found->second};
}

RegStatus FakeRegistry::writeString(Hive hive, const std::string& path, const std::string& name,
                                    const std::string& text) {
  record("write", hive, path + " " + name + " = " + text);
  if (auto status = injected(RegOp::Write, hive, name)) return *status;
  setString(hive, path, name, text);
  return RegStatus::Ok;
}

void FakeRegistry::setString(Hive hive, const std::string& path, const std::string& name,
                             std::optional<std::string> text) {
  keys_.insert(KeyId(hive, path));
  values_[{KeyId(hive, path), Lower(name)}] = std::move(text);
}

std::optional<std::string> FakeRegistry::value(Hive hive, const std::string& path,
                                               const std::string& name) const {
  auto found = values_.find({KeyId(hive, path), Lower(name)});
  return found == values_.end() ? std::nullopt : found->second;
}

bool FakeRegistry::keyExists(Hive hive, const std::string& path) const {
  return keys_.count(KeyId(hive, path)) > 0;
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
