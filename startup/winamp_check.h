#pragma once
// Whether the media player looks installed, checked before anything else starts.
#include "platform/files.h"
#include "platform/message_box.h"
#include "settings/settings_store.h"

namespace morv {

// Without the player's folder nothing more is looked at. A folder without its program
// means a removed player only while MP3 files still belong to the player's own file
// type, which outlives it: an association text that starts with "mp3file".
bool WinampCheckPasses(FileSystem& files, SettingsStore& registry);

// What a user is told when the player is judged missing, in order.
void ShowWinampMissingBoxes(MessageBoxes& boxes);

}  // namespace morv
