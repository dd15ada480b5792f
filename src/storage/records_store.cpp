#include "storage/records_store.h"

#include "storage/file_update.h"

namespace tarnwick::storage {

namespace {

void noteBadLines(Notes& notes, const std::string& path, const RecordsTable& table) {
    if (!table.badLines.empty()) {
        addNote(notes, badLinesNote(MessageId::RecordsBadLines, path, table.badLines));
    }
}

}  // namespace

LoadedRecords loadRecords(const StorageFolder& folder) {
    LoadedRecords loaded;
    if (folder.path.empty()) {
        addNote(loaded.notes, folder.note);
        return loaded;
    }
    const std::string path = folder.path + "/" + RecordsFileName;
    const FileRead file = readGameFile(path);
    addNote(loaded.notes, file.note);
    loaded.table = parseRecords(file.text);
    noteBadLines(loaded.notes, path, loaded.table);
    return loaded;
}

RecordedGame recordGame(const StorageFolder& folder, const FinishedGame& game,
                        std::chrono::milliseconds lockWait) {
    RecordedGame result;
    result.before = {game.mode, game.boardSize};
    result.after = addGameToRecord(result.before, game);
    if (folder.path.empty()) {
        addNote(result.notes, folder.note);
        return result;
    }
    const std::string path = folder.path + "/" + RecordsFileName;
    const auto change = [&](const FileRead& now, Notes& notes) -> std::optional<std::string> {
        if (now.outcome != ReadOutcome::Read && now.outcome != ReadOutcome::Missing) {
            Message note = now.note;
            note.then = MessageId::RecordNotKept;
            addNote(notes, note);
            return std::nullopt;
        }
        RecordsTable table = parseRecords(now.text);
        noteBadLines(notes, path, table);
        if (const Record* found = findRecord(table, game.mode, game.boardSize)) {
            result.before = *found;
        }
        result.after = addGame(table, game);
        return serializeRecords(table);
    };
    FileUpdate update = updateFile(folder.path, RecordsFileName, change, lockWait);
    result.written = update.written;
    result.newBestTime = game.won && result.after.bestTenths != result.before.bestTenths;
    result.notes = std::move(update.notes);
    return result;
}

}  // namespace tarnwick::storage
