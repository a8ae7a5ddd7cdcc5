#pragma once
// An in-memory registry. Keys and value names compare without regard to case, as
// in Windows. Any operation can be told to fail, and every call is recorded.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace morv::fakes {

enum class RegOp { Create, Read, Write };

class FakeRegistry : public Registry {
 public:
  struct Value {
    bool isString = true;
    std::string data;
  };

  RegStatus createKey(Hive hive, const std::string& path) override;
  RegRead readString(Hive hive, const std::string& path, const std::string& name) override;
  RegStatus writeString(Hive hive, const std::string& path, const std::string& name,
                        const std::string& text) override;

  // Test set-up and inspection.
  void setString(Hive hive, const std::string& path, const std::string& name, std::string text);
  void setNonString(Hive hive, const std::string& path, const std::string& name);
  std::optional<std::string> value(Hive hive, const std::string& path,
                                   const std::string& name) const;
  bool keyExists(Hive hive, const std::string& path) const;
  // Fails every matching operation with `status`; an empty name matches any value.
  void fail(RegOp op, Hive hive, std::string name, RegStatus status);
  void clearFailures() { failures_.clear(); }

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
  using KeyId = std::pair<Hive, std::string>;
  static KeyId Id(Hive hive, const std::string& path);
  std::optional<RegStatus> injected(RegOp op, Hive hive, const std::string& name) const;

  std::map<KeyId, std::map<std::string, Value>> keys_;
  std::vector<Failure> failures_;
};

std::string HiveName(Hive hive);

}  // namespace morv::fakes
