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
    if (lock.fd < 0) {
        return update;
    }
    update.locked = true;
    removeLeftovers(folder, name);
    const FileRead now = readGameFile(folder + "/" + name);
    if (const std::optional<std::string> text = change(now, update)) {
        const Message note = replaceFile(folder, name, inForm(*text, now.form), update.changedNs);
        update.written = note.empty();
        addNote(update.notes, note);
    }
    unlockFile(lock);
    return update;
}

}  // namespace tarnwick::storage
