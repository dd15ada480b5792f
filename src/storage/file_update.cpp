#include "storage/file_update.h"

#include "storage/file_write.h"

namespace tarnwick::storage {

FileUpdate updateFile(const std::string& folder, const std::string& name, const FileChange& change,
                      std::chrono::milliseconds lockWait) {
    FileUpdate update;
    if (const Message note = makeFolders(folder); !note.empty()) {
        addNote(update.notes, note);
        return update;
    }
    FileLock lock = lockFile(folder, name, lockWait);
    if (lock.fd >= 0) {
        removeLeftovers(folder, name);
    }
    const FileRead now = readGameFile(folder + "/" + name);
    if (const std::optional<std::string> text = change(now, update.notes)) {
        const Message note = replaceFile(folder, name, *text);
        update.written = note.empty();
        // A lock file that could not be made on a read-only or full disk is the write's
        // failure told twice: the lock's note counts only for a file that was written.
        addNote(update.notes, update.written ? lock.note : note);
    }
    unlockFile(lock);
    return update;
}

}  // namespace tarnwick::storage
