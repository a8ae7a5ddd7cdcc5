#pragma once
// An in-memory registry. Keys and value names compare without regard to case, as
// in Windows. Any operation can be told to fail, and every call is recorded.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace morv::fakes {

enum class RegOp { Create, Read, Write };

class FakeRegistry : public Registry {
 public:
  RegStatus createKey(Hive hive, const std::string& path) override;
  RegRead readString(Hive hive, const std::string& path, const std::string& name) override;
  RegStatus writeString(Hive hive, const std::string& path, const std::string& name,
                        const std::string& text) override;

  // Test set-up and inspection.
  // A value of another type than a string when `text` is empty.
  void setString(Hive hive, const std::string& path, const std::string& name,
                 std::optional<std::string> text);
  void setNonString(Hive hive, const std::string& path, const std::string& name) {
    setString(hive, path, name, std::nullopt);
  }
  std::optional<std::string> value(Hive hive, const std::string& path,
                                   const std::string& name) const;
  bool keyExists(Hive hive, const std::string& path) const;
  // Fails every matching operation with `status`; an empty name matches any value.
  void fail(RegOp op, Hive hive, std::string name, RegStatus status);

  // "read HKLM SOFTWARE\QUORVIX\MORV StartInTray", "write HKCU ... = text", ...
  std::vector<std::string> calls;
  // The same, only the writes.
  std::vector<std::string> writes() const;

 private:
  struct Failure {
    RegOp op;
    Hive hive;
    std::string name;
    RegStatus status;
  };
  using ValueId = std::pair<std::string, std::string>;  // the key, the value's name
  std::optional<RegStatus> injected(RegOp op, Hive hive, const std::string& name) const;
  void record(const char* op, Hive hive, const std::string& rest);

  std::set<std::string> keys_;
  std::map<ValueId, std::optional<std::string>> values_;  // nullopt: not a string
  std::vector<Failure> failures_;
};

}  // namespace morv::fakes
