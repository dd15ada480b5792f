// An advisory lock around a read-modify-write of one of the game's files. The lock is taken on
// a separate file, .NAME.lock in the same folder, because the file itself is replaced by a
// rename and cannot carry it. The lock is asked for without blocking, again and again, for at
// most the given wait: a lock that another process holds longer is not had, so that the game
// never hangs (the game then writes to the file's journal, journal.h). The system releases the lock
// when its holder dies.
#pragma once

#include <chrono>
#include <string>

namespace tarnwick::storage {

// How long a writer waits for another one.
inline constexpr std::chrono::milliseconds LockWait{1000};

struct FileLock {
    int fd = -1;  // the open lock file; -1 when the lock is not held
};

// Takes the lock of folder/name (the folder must exist).
FileLock lockFile(const std::string& folder, const std::string& name,
                  std::chrono::milliseconds wait = LockWait);

// Releases a lock that lockFile took; does nothing for one it did not.
void unlockFile(FileLock& lock);

}  // namespace tarnwick::storage
