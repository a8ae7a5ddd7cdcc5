#pragma once
// Questions about files and folders.
#include <string>

namespace morv {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool folderExists(const std::string& path) = 0;
  virtual bool fileExists(const std::string& path) = 0;
  // The Windows system folder, without a trailing backslash.
  virtual std::string systemFolder() = 0;
  // The folder this program was started from, without a trailing backslash.
  virtual std::string programFolder() = 0;
};

}  // namespace morv
