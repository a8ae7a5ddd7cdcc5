#pragma once
// An in-memory registry. Keys and value names compare without regard to case, as
// in Windows. Any operation can be told to fail, and every creation and write is recorded.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/fakes/fake_text.h"

namespace morv::fakes {

enum class RegOp { Create, Read, Write };

class FakeRegistry : public Registry {
 public:
  RegStatus createKey(Hive hive, const std::string& path) override {
    record("create", hive, path);
    return injected(RegOp::Create, hive, "").value_or(RegStatus::Ok);
  }
  RegRead readString(Hive hive, const std::string& path, const std::string& name) override {
    if (auto status = injected(RegOp::Read, hive, name)) return {*status, {}};
    auto found = values_.find(Id(hive, path, name));
    if (found == values_.end()) return {RegStatus::NotFound, {}};
    if (!found->second) return {RegStatus::WrongType, {}};
    return {RegStatus::Ok, *found->second};
  }
  RegStatus writeString(Hive hive, const std::string& path, const std::string& name,
                        const std::string& text) override {
    record("write", hive, path + " " + name + " = " + text);
    if (auto status = injected(RegOp::Write, hive, name)) return *status;
    setString(hive, path, name, text);
    return RegStatus::Ok;
  }

  // A value of another type than a string when `text` is nullopt.
  void setString(Hive hive, const std::string& path, const std::string& name,
                 std::optional<std::string> text) {
    values_[Id(hive, path, name)] = std::move(text);
  }
  std::optional<std::string> value(Hive hive, const std::string& path,
                                   const std::string& name) const {
    auto found = values_.find(Id(hive, path, name));
    return found == values_.end() ? std::nullopt : found->second;
  }
  // Fails every matching operation with `status`; an empty name matches any value.
  void fail(RegOp op, Hive hive, std::string name, RegStatus status) {
    failures_.push_back({op, hive, std::move(name), status});
  }

  // "create HKLM SOFTWARE\QUORVIX\MORV", "write HKCU ... = text", ...
  std::vector<std::string> calls;
  // The same, only the writes.
  std::vector<std::string> writes() const {
    std::vector<std::string> result;
    for (const std::string& call : calls) {
      if (call.starts_with("write ")) result.push_back(call);
    }
    return result;
  }

 private:
  struct Failure {
    RegOp op;
    Hive hive;
    std::string name;
    RegStatus status;
  };
  static std::string HiveName(Hive hive) {
    return hive == Hive::ClassesRoot ? "HKCR" : hive == Hive::CurrentUser ? "HKCU" : "HKLM";
  }
  // The key and the value's name.
  static std::pair<std::string, std::string> Id(Hive hive, const std::string& path,
                                                const std::string& name) {
    return {HiveName(hive) + Lower(path), Lower(name)};
  }
  std::optional<RegStatus> injected(RegOp op, Hive hive, const std::string& name) const {
    for (const Failure& f : failures_) {
      if (f.op == op && f.hive == hive && (f.name.empty() || SameText(f.name, name))) {
        return f.status;
      }
    }
    return std::nullopt;
  }
  void record(const char* op, Hive hive, const std::string& rest) {
    calls.push_back(std::string(op) + " " + HiveName(hive) + " " + rest);
  }

  std::map<std::pair<std::string, std::string>, std::optional<std::string>> values_;
  std::vector<Failure> failures_;
};

}  // namespace morv::fakes
