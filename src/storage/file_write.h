// Writes one of the game's files so that nothing is ever torn: the text goes to a temporary
// file in the same folder (created exclusively, mode 0600), is written whole and fsync'ed, is
// renamed over the old file, and the folder is fsync'ed. A process killed at any moment leaves
// the old file or the new one, and at worst a temporary file ".NAME.tmp-XXXXXX" that no reader
// looks at (removeLeftovers clears old ones). A symbolic link, or anything but a regular file,
// in the file's place is left as it is and nothing is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/messages.h"

namespace tarnwick::storage {

// Creates the folder and each missing folder above it with mode 0700. Returns a note when
// that fails, else an empty one.
Message makeFolders(const std::string& folder);

// Replaces folder/name with the text, creating the folders first. Returns a note when
// nothing was written (read-only or full disk, a symbolic link in the way, a text over
// MaxFileBytes...), else an empty one. With a time given, the file's last change is set to it
// (ns since 1970).
Message replaceFile(const std::string& folder, const std::string& name, std::string_view text,
                    std::optional<std::int64_t> changedNs = std::nullopt);

// Adds an entry with the text to the journal of folder/name (journal.h), made at the time
// (ns since 1970). Returns a note when it could not, else an empty one.
Message addJournalEntry(const std::string& folder, const std::string& name, std::string_view text,
                        std::int64_t timeNs);

// Removes the journal entries of folder/name with these IDs.
void removeJournalEntries(const std::string& folder, const std::string& name,
                          const std::vector<std::string>& ids);

// A note when the file at path has no write permission, with what that costs (RecordNotKept,
// SettingsNotKept) told after it; else an empty one.
Message readOnly(const std::string& path, MessageId notKept);

// What stands in the path's place when the game must not write over it (a symbolic link, a
// folder, a device): a note; else an empty one.
Message inTheWay(const std::string& path);

// Writes the text to a new temporary file of folder/name and moves it to the path, over what
// is there, durably. With a time given, the file's last change is set to it. Returns 0 or the
// C library's error number; the temporary file is gone either way.
int writeAndMove(const std::string& folder, const std::string& name, std::string_view text,
                 std::optional<std::int64_t> changedNs, const std::string& path);

// Removes the temporary files of folder/name that a killed writer left over a minute ago.
// Called only under the file's lock, where no other writer is at work.
void removeLeftovers(const std::string& folder, const std::string& name);

}  // namespace tarnwick::storage
