// Whether the start-up takes the media player for installed.
#include "startup/winamp_check.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_services.h"

namespace morv {
namespace {

constexpr char kFolder[] = "c:\\Program Files\\Winamp";
constexpr char kProgram[] = "c:\\Program Files\\Winamp\\Winamp.exe";

TEST(WinampCheckTest, DecidesByFolderProgramAndTheMp3Association) {
  struct Case {
    bool folder, program;
    const char* association;  // nullptr: no such value
    bool passes;
  } const cases[] = {
      {false, false, "mp3file", true},  // installed elsewhere, or not at all: not looked for
      {true, true, "mp3file", true},       {true, false, "mp3file", false},
      {true, false, "  mp3file  ", false}, {true, false, "mp3file.winamp", false},
      {true, false, "MP3FILE", true},      {true, false, "mp3fil", true},
      {true, false, nullptr, true},
  };
  for (const Case& c : cases) {
    fakes::FakeFileSystem files;
    fakes::FakeRegistry registry;
    if (c.folder) files.folders.push_back(kFolder);
    if (c.program) files.files.push_back(kProgram);
    if (c.association) registry.setString(Hive::ClassesRoot, ".MP3", "Winamp_Back", c.association);
    SettingsStore store(registry);
    EXPECT_EQ(WinampCheckPasses(files, store), c.passes)
        << c.folder << c.program << " '" << (c.association ? c.association : "(none)") << "'";
  }
}

}  // namespace
}  // namespace morv
