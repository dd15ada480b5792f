// A read-modify-write of one of the game's files under its lock (file_lock.h): read the file
// as it is now, let the caller make the new text, replace the file with it (file_write.h) in
// the form the file had (text_form.h). Another game that updates the same file meanwhile
// waits, so neither loses what the other wrote. A game that does not get the lock in time
// writes nothing: the caller then adds to the file's journal (journal.h) instead.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "storage/file_lock.h"
#include "storage/file_read.h"
#include "storage/notes.h"

namespace tarnwick::storage {

struct FileUpdate {
    bool locked = false;                    // the lock was taken: the change was called
    bool written = false;                   // the file now holds the new text
    std::optional<std::int64_t> changedNs;  // set by the change: the new file's time of change
    Notes notes;                            // what went wrong
};

// Makes the new text from what the file holds now, or nullopt to leave the file as it is; it
// may add notes of its own.
using FileChange = std::function<std::optional<std::string>(const FileRead& now, FileUpdate&)>;

// Creates the folder when missing, then reads, changes and writes folder/name under its lock.
// The change is not called when the folder cannot be made or the lock is not taken in time.
FileUpdate updateFile(const std::string& folder, const std::string& name, const FileChange& change,
                      std::chrono::milliseconds lockWait = LockWait);

}  // namespace tarnwick::storage
