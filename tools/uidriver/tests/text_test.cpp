// Captions, command lines and paths: the small conversions every other part relies on.
#include <windows.h>
#include <shellapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/uidriver/process.h"
#include "tools/uidriver/text.h"

namespace morv::uidriver {
namespace {

std::vector<std::string> parsedBack(const std::wstring& line) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::string> result;
  for (int i = 0; i < count; ++i) result.push_back(narrow(arguments[i]));
  LocalFree(arguments);
  return result;
}

TEST(TextTest, CaptionsMatchAsAUserReadsThem) {
  EXPECT_EQ(plainCaption("&Save\tCtrl+S"), "Save");
  EXPECT_EQ(plainCaption("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(plainCaption("Trailing&"), "Trailing");
  EXPECT_TRUE(sameCaption("S&ettings", "Settings"));
  EXPECT_TRUE(sameCaption("&Yes", "&Yes"));
  EXPECT_FALSE(sameCaption("&Yes", "&No"));
  EXPECT_FALSE(sameCaption("Yes to all", "Yes"));
  EXPECT_EQ(narrow(widen("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC")), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
}

TEST(TextTest, CommandLinesGiveTheArgumentsBack) {
  const std::vector<std::string> arguments = {
      "plain", "two words", "", "say \"hi\"", "C:\\dir with space\\", "back\\\\slash\\\"q"};
  std::vector<std::string> expected = {"C:\\Program Files\\x.exe"};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  EXPECT_EQ(parsedBack(commandLine("C:\\Program Files\\x.exe", arguments)), expected);
}

TEST(TextTest, UnixPathsBecomeWindowsPathsUnderWine) {
  EXPECT_EQ(windowsPath("C:\\already\\windows"), "C:\\already\\windows");
  EXPECT_EQ(windowsPath(""), "");
  if (GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name") == nullptr) {
    GTEST_SKIP() << "not running under Wine";
  }
  EXPECT_EQ(windowsPath("/tmp/some file.txt"), "Z:\\tmp\\some file.txt");
}

}  // namespace
}  // namespace morv::uidriver
