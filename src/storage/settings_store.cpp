#include "storage/settings_store.h"

#include "storage/file_update.h"

namespace tarnwick::storage {

LoadedSettings loadSettings(const StorageFolder& folder, std::span<const SettingRange> table) {
    LoadedSettings loaded;
    loaded.values.resize(table.size());
    if (folder.path.empty()) {
        addNote(loaded.notes, folder.note);
        return loaded;
    }
    const std::string path = folder.path + "/" + SettingsFileName;
    const FileRead file = readGameFile(path);
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
    return {std::move(parse.values), std::move(parse.unread), parse.leaveFile,
            std::move(loaded.notes)};
}

Notes saveSettings(const StorageFolder& folder, std::span<const SettingRange> table,
                   std::span<const int> values) {
    if (folder.path.empty()) {
        return {folder.note};
    }
    return updateFile(folder.path, SettingsFileName,
                      [&](const FileRead& now, Notes&) -> std::optional<std::string> {
                          const std::string_view text =
                              now.outcome == ReadOutcome::Read ? std::string_view(now.text) : "";
                          return rewriteSettings(parseSettings(text, table), table, values);
                      })
        .notes;
}

}  // namespace tarnwick::storage
