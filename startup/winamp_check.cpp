#include "startup/winamp_check.h"

#include "platform/text.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

constexpr char kPlayerFileType[] = "mp3file";

}  // namespace

bool WinampCheckPasses(FileSystem& files, SettingsStore& registry) {
  if (!files.folderExists(winamp::kInstallFolder)) return true;
  if (files.fileExists(winamp::kInstalledProgram)) return true;
  const auto association =
      registry.ReadSetting(Hive::ClassesRoot, winamp::kAssociationKey, winamp::kAssociationValue);
  if (!association) return true;
  return Trimmed(*association).substr(0, 7) != kPlayerFileType;
}

void ShowWinampMissingBoxes(MessageBoxes& boxes) {
  boxes.show({"WinAmp Is Not Installed!",
              "This program requires Nullsoft WinAmp!\r\nPlease download it from:\r\n"
              "https://www.winamp.com",
              MbIcon::Critical, MbButtons::Ok});
  boxes.show({"Morvane\u2122",
              "If WinAmp is in fact installed on your machine,\r\n"
              "it must be the Default Media Player,\r\n"
              "In Order For Morvane\u2122 To Detect It!",
              MbIcon::Information, MbButtons::Ok});
  boxes.show({"Making WinAmp The Default Media Player",
              "To make WinAmp your default Media Player:\r\n\r\n"
              "1. Start WinAmp\r\n"
              "2. Open The Preferences\r\n"
              "3. Under The Setup Option, Click On 'File Types'\r\n"
              "4. Ensure That The Option 'Register On WinAmp Start' is checked\r\n"
              "5. Then, Click 'Agent'\r\n"
              "6. Ensure that 'Maintain File Associations' is Checked\r\n"
              "7. Finally, Ensure that 'Enable Agent' Is Checked",
              MbIcon::Information, MbButtons::Ok});
  boxes.show({"ERROR!", "WinAmp Detection Failure!", MbIcon::Critical, MbButtons::Ok});
}

}  // namespace morv
