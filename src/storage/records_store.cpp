#include "storage/records_store.h"

#include "storage/file_update.h"
#include "storage/file_write.h"
#include "storage/records_journal.h"

namespace tarnwick::storage {

namespace {

// A reader retries this often at most while games fold the journal under its eyes.
constexpr int ReadTries = 5;

void noteFolded(Notes& notes, const std::string& folder, const FoldedRecords& folded) {
    const std::string path = folder + "/" + RecordsFileName;
    if (!folded.table.badLines.empty()) {
        addNote(notes, badLinesNote(MessageId::RecordsBadLines, path, folded.table.badLines));
    }
    if (!folded.unreadable.empty()) {
        addNote(notes, {MessageId::NotAGame,
                        {folder + "/" + journalPrefix(RecordsFileName) + folded.unreadable[0]}});
    }
}

// The file and its journal as they stand. An entry is removed only after the file that
// counts it is in place, so a file that reads the same before and after the journal counts
// every entry that the journal lacks.
struct RecordsNow {
    FileRead file;
    FoldedRecords folded;
};

RecordsNow readRecordsNow(const std::string& folder) {
    const std::string path = folder + "/" + RecordsFileName;
    RecordsNow now{readGameFile(path), {}};
    std::vector<JournalEntry> entries;
    for (int tries = 0; tries < ReadTries; ++tries) {
        entries = readJournal(folder, RecordsFileName);
        FileRead again = readGameFile(path);
        const bool same = again.outcome == now.file.outcome && again.text == now.file.text;
        now.file = std::move(again);
        if (same) {
            break;
        }
    }
    now.folded = foldJournal(now.file.text, entries);
    return now;
}

bool readable(const FileRead& file) {
    return file.outcome == ReadOutcome::Read || file.outcome == ReadOutcome::Missing;
}

}  // namespace

LoadedRecords loadRecords(const StorageFolder& folder) {
    LoadedRecords loaded;
    if (folder.path.empty()) {
        addNote(loaded.notes, folder.note);
        return loaded;
    }
    RecordsNow now = readRecordsNow(folder.path);
    addNote(loaded.notes, now.file.note);
    noteFolded(loaded.notes, folder.path, now.folded);
    loaded.table = std::move(now.folded.table);
    return loaded;
}

RecordedGame recordGame(const StorageFolder& folder, const FinishedGame& game,
                        std::chrono::milliseconds lockWait) {
    RecordedGame result;
    result.before = {game.mode, game.boardSize};
    result.after = addGameToRecord(result.before, game);
    const Message refusal = folder.path.empty() ? folder.note
                                                : readOnly(folder.path + "/" + RecordsFileName,
                                                           MessageId::RecordNotKept);
    if (!refusal.empty()) {
        addNote(result.notes, refusal);
        return result;
    }
    // Counts the game, and whatever the journal holds, in the file as it is now.
    const auto count = [&](const FileRead& file, FoldedRecords& folded, Notes& notes) {
        if (!readable(file)) {
            addNote(notes, costing(file.note, MessageId::RecordNotKept));
            return false;
        }
        noteFolded(notes, folder.path, folded);
        if (const Record* found = findRecord(folded.table, game.mode, game.boardSize)) {
            result.before = *found;
        }
        result.after = addGame(folded.table, game);
        return true;
    };
    FoldedRecords folded;
    const auto change = [&](const FileRead& now, FileUpdate& update) -> std::optional<std::string> {
        folded = foldJournal(now.text, readJournal(folder.path, RecordsFileName));
        return count(now, folded, update.notes) ? std::optional(serializeFolded(folded))
                                                : std::nullopt;
    };
    FileUpdate update = updateFile(folder.path, RecordsFileName, change, lockWait);
    result.notes = std::move(update.notes);
    if (update.written) {
        removeJournalEntries(folder.path, RecordsFileName, folded.counted);
    }
    result.written = update.written;
    if (!update.locked && result.notes.empty()) {
        // Another game holds the lock, for however long: the game goes to the journal.
        RecordsNow now = readRecordsNow(folder.path);
        if (count(now.file, now.folded, result.notes)) {
            const Message note =
                addJournalEntry(folder.path, RecordsFileName, journalLine(game), journalNow());
            result.written = note.empty();
            addNote(result.notes, costing(note, MessageId::RecordNotKept));
        }
    }
    result.newBestTime = game.won && result.after.bestTenths != result.before.bestTenths;
    return result;
}

}  // namespace tarnwick::storage
