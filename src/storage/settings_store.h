// The settings file of the game (settings_format.h) in its folder (storage_folders.h): loaded
// at start, saved after the player changes a setting.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "storage/notes.h"
#include "storage/settings_format.h"
#include "storage/storage_folders.h"

namespace tarnwick::storage {

inline constexpr const char* SettingsFileName = "settings";

struct LoadedSettings {
    std::vector<std::optional<int>> values;  // per name of the table: the value read, if any
    std::vector<std::string> unread;         // names that could not be read; every name when the
                                             // file could not be read at all
    bool leaveFile = false;  // the file must stay as it is until the player changes a setting
    Notes notes;
};

// Reads the settings, and a change in the journal made after the file was written. A missing
// file (or no folder) gives no values; a file that could not be read, or with malformed
// lines, gives a note.
LoadedSettings loadSettings(const StorageFolder& folder, std::span<const SettingRange> table);

// Writes the values (one per name of the table) under the file's lock, keeping the comments,
// unknown names and order of the file as it is now. A file that was not text or too large is
// replaced by a new one; a symbolic link, anything but a regular file, or a file without
// write permission is left alone. When another game holds the lock for over LockWait, the
// values go to the file's journal (journal.h); of all the changes, the last one made wins.
Notes saveSettings(const StorageFolder& folder, std::span<const SettingRange> table,
                   std::span<const int> values);

}  // namespace tarnwick::storage
