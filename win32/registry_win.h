#pragma once
#include "platform/registry.h"

namespace morv::win32 {

class RegistryWin : public Registry {
 public:
  RegStatus createKey(Hive hive, const std::string& path) override;
  RegRead readString(Hive hive, const std::string& path, const std::string& name) override;
  RegStatus writeString(Hive hive, const std::string& path, const std::string& name,
                        const std::string& text) override;
};

}  // namespace morv::win32
