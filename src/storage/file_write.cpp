// The checks and the retry around each write, the same on every platform; the writing itself
// is the platform's (inTheWay, writeAndMove).
#include "storage/file_write.h"

#include <cerrno>

#include "storage/file_read.h"
#include "storage/journal.h"

namespace tarnwick::storage {

Message replaceFile(const std::string& folder, const std::string& name, std::string_view text,
                    std::optional<std::int64_t> changedNs) {
    const std::string path = folder + "/" + name;
    if (text.size() > MaxFileBytes) {
        return {MessageId::WouldBeTooLarge, {path}};
    }
    if (Message note = makeFolders(folder); !note.empty()) {
        return note;
    }
    if (Message note = inTheWay(path); !note.empty()) {
        return note;
    }
    const int error = writeAndMove(folder, name, text, changedNs, path);
    return error == 0 ? Message{} : Message{MessageId::CannotWrite, {path}, error};
}

Message addJournalEntry(const std::string& folder, const std::string& name, std::string_view text,
                        std::int64_t timeNs) {
    const std::string path = folder + "/" + journalPrefix(name);
    if (Message note = makeFolders(folder); !note.empty()) {
        return note;
    }
    int error = ENOENT;
    // A temporary file is removed as a leftover when its writer stalls for a minute between
    // making it and moving it into place: the entry is then made again.
    for (int attempt = 0; attempt < 3 && error == ENOENT; ++attempt) {
        error = writeAndMove(folder, name, text, std::nullopt, path + newJournalId(timeNs));
    }
    return error == 0 ? Message{} : Message{MessageId::CannotWrite, {path + "*"}, error};
}

}  // namespace tarnwick::storage
