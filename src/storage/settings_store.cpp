#include "storage/settings_store.h"

#include "storage/file_update.h"
#include "storage/file_write.h"
#include "storage/journal.h"

namespace tarnwick::storage {

namespace {

// The latest change among the journal's entries made after `since` (ns since 1970), and the
// IDs of them all.
struct LatestChange {
    std::int64_t timeNs = -1;  // -1: none after `since`
    std::vector<std::optional<int>> values;
    std::vector<std::string> ids;
};

LatestChange latestEntry(const std::string& folder, std::span<const SettingRange> table,
                         std::int64_t since) {
    LatestChange latest;
    for (const JournalEntry& entry : readJournal(folder, SettingsFileName)) {
        latest.ids.push_back(entry.id);
        if (const std::int64_t time = journalTime(entry.id); time > since) {
            latest = {time, parseSettings(entry.text, table).values, std::move(latest.ids)};
        }
    }
    return latest;
}

// The values, each taken from the change where it has one.
std::vector<int> valuesAfter(std::span<const int> values,
                             const std::vector<std::optional<int>>& change) {
    std::vector<int> result(values.begin(), values.end());
    for (std::size_t i = 0; i < result.size() && i < change.size(); ++i) {
        result[i] = change[i].value_or(result[i]);
    }
    return result;
}

}  // namespace

LoadedSettings loadSettings(const StorageFolder& folder, std::span<const SettingRange> table) {
    LoadedSettings loaded;
    loaded.values.resize(table.size());
    if (folder.path.empty()) {
        addNote(loaded.notes, folder.note);
        return loaded;
    }
    const std::string path = folder.path + "/" + SettingsFileName;
    const FileRead file = readGameFile(path);
    // A change that a game could only leave in the journal is newer than the file.
    const LatestChange latest = latestEntry(folder.path, table, file.changedNs);
    for (std::size_t i = 0; i < table.size() && latest.timeNs >= 0; ++i) {
        loaded.values[i] = latest.values[i];
    }
    if (file.outcome != ReadOutcome::Read) {
        addNote(loaded.notes, file.note);
        loaded.leaveFile = file.outcome != ReadOutcome::Missing;
        for (std::size_t i = 0; loaded.leaveFile && i < table.size(); ++i) {
            loaded.unread.push_back(table[i].name);
        }
        return loaded;
    }
    SettingsParse parse = parseSettings(file.text, table);
    if (parse.leaveFile) {
        addNote(loaded.notes, badLinesNote(MessageId::SettingsBadLines, path, parse.badLines));
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        loaded.values[i] = loaded.values[i] ? loaded.values[i] : parse.values[i];
    }
    return {std::move(loaded.values), std::move(parse.unread), parse.leaveFile,
            std::move(loaded.notes)};
}

Notes saveSettings(const StorageFolder& folder, std::span<const SettingRange> table,
                   std::span<const int> values) {
    const std::int64_t changedNs = journalNow();
    const Message refusal = folder.path.empty() ? folder.note
                                                : readOnly(folder.path + "/" + SettingsFileName,
                                                           MessageId::SettingsNotKept);
    if (!refusal.empty()) {
        return {refusal};
    }
    std::vector<std::string> folded;
    const auto change = [&](const FileRead& now, FileUpdate& update) -> std::optional<std::string> {
        // The last change a player made wins: this one, or a later one that another game
        // left in the journal while this one waited. The file takes the change's time.
        const LatestChange latest = latestEntry(folder.path, table, changedNs);
        folded = latest.ids;
        update.changedNs = std::max(changedNs, latest.timeNs);
        const std::string_view text =
            now.outcome == ReadOutcome::Read ? std::string_view(now.text) : std::string_view();
        return rewriteSettings(parseSettings(text, table), table,
                               valuesAfter(values, latest.values));
    };
    FileUpdate update = updateFile(folder.path, SettingsFileName, change);
    if (update.locked && update.notes.empty()) {
        removeJournalEntries(folder.path, SettingsFileName, folded);
    }
    if (!update.locked && update.notes.empty()) {
        const std::string entry = rewriteSettings(parseSettings("", table), table,
                                                  std::vector(values.begin(), values.end()));
        addNote(update.notes,
                costing(addJournalEntry(folder.path, SettingsFileName, entry, changedNs),
                        MessageId::SettingsNotKept));
    }
    return update.notes;
}

}  // namespace tarnwick::storage
