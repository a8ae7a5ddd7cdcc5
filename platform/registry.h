#pragma once
// The Windows registry, reduced to what the settings store needs.
#include <string>

namespace morv {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

enum class RegStatus {
  Ok,
  NotFound,      // key or value absent
  AccessDenied,  // the user may not do this here
  WrongType,     // the value exists but holds no string
  Failed,        // anything else the registry refused
};

struct RegRead {
  RegStatus status = RegStatus::NotFound;
  std::string text;  // meaningful only when status is Ok
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens or creates the key; Ok when it exists afterwards.
  virtual RegStatus createKey(Hive hive, const std::string& path) = 0;
  // A string value, read whole whatever its length.
  virtual RegRead readString(Hive hive, const std::string& path, const std::string& name) = 0;
  // Writes a REG_SZ value, creating the key when it is missing.
  virtual RegStatus writeString(Hive hive, const std::string& path, const std::string& name,
                                const std::string& text) = 0;
};

}  // namespace morv
