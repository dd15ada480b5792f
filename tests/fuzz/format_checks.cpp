#include "fuzz/format_checks.h"

#include <algorithm>
#include <limits>

#include "storage/records_format.h"
#include "storage/records_journal.h"
#include "storage/settings_format.h"
#include "storage/text_form.h"

namespace tarnwick::storage {

namespace {

const SettingRange Table[] = {
    {"size", 1, 6}, {"monsters", 1, 7}, {"mode", 1, 5}, {"lives", 1, 9}, {"shop", 0, 1}};
constexpr std::size_t Names = std::size(Table);

// The index of the table's name that the line sets (readable or not), or Names.
std::size_t nameOfLine(const std::string& line) {
    const SettingsParse one = parseSettings(line, Table);
    for (std::size_t n = 0; n < Names; ++n) {
        if (one.values[n] || (!one.unread.empty() && one.unread[0] == Table[n].name)) {
            return n;
        }
    }
    return Names;
}

bool isAssignment(const std::string& line, std::size_t name, const std::vector<int>& values) {
    return name < Names && line == Table[name].name + " = " + std::to_string(values[name]);
}

std::string checkSettings(std::string_view bytes) {
    const SettingsParse file = parseSettings(bytes, Table);
    std::vector<int> values(Names);
    for (std::size_t i = 0; i < Names; ++i) {
        values[i] = file.values[i].value_or(Table[i].lowest);
    }
    const std::size_t changed = bytes.size() % Names;
    const SettingRange& range = Table[changed];
    values[changed] =
        range.lowest + (values[changed] - range.lowest + 1) % (range.highest - range.lowest + 1);
    const std::string text = rewriteSettings(file, Table, values);
    const SettingsParse again = parseSettings(text, Table);
    for (std::size_t i = 0; i < Names; ++i) {
        if (again.values[i] != values[i]) {
            return "settings: " + Table[i].name + " does not read back";
        }
    }
    // The new lines: the old ones in their order, each kept or set to one name's value, then
    // the names that were missing (after a header when the file had no lines).
    const std::size_t offset = file.lines.empty() ? again.lines.size() - Names : 0;
    for (std::size_t i = 0; i < again.lines.size(); ++i) {
        const std::string& line = again.lines[i];
        const bool kept =
            i < file.lines.size()
                ? line == file.lines[i] || isAssignment(line, nameOfLine(file.lines[i]), values)
                : i < offset || isAssignment(line, nameOfLine(line), values);
        if (!kept) {
            return "settings: line " + std::to_string(i + 1) + " changed";
        }
    }
    if (rewriteSettings(again, Table, values) != text) {
        return "settings: a second rewrite differs";
    }
    return "";
}

std::string checkRecords(std::string_view bytes) {
    const RecordsTable table = parseRecords(bytes);
    const std::string text = serializeRecords(table);
    RecordsTable again = parseRecords(text);
    if (again.records != table.records || again.badLines.size() != table.badLines.size()) {
        return "records: the table does not read back";
    }
    if (serializeRecords(again) != text) {
        return "records: a second serialization differs";
    }
    const FinishedGame game{"timed", 25, bytes.size() % 2 == 0, 123, 4, 5};
    const Record* before = findRecord(again, game.mode, game.boardSize);
    const std::int64_t games = before ? before->games : 0;
    const Record after = addGame(again, game);
    const RecordsTable written = parseRecords(serializeRecords(again));
    const Record* read = findRecord(written, game.mode, game.boardSize);
    const std::int64_t counted =
        games == std::numeric_limits<std::int64_t>::max() ? games : games + 1;
    if (!read || *read != after || after.games != counted) {
        return "records: an added game does not read back";
    }
    return "";
}

std::int64_t gamesIn(const RecordsTable& table) {
    std::int64_t games = 0;
    for (const Record& record : table.records) {
        games += std::min(record.games, std::numeric_limits<std::int64_t>::max() - games);
    }
    return games;
}

std::string checkJournal(std::string_view bytes) {
    std::vector<JournalEntry> entries;
    const std::size_t end = std::min(bytes.find('\f'), bytes.size());
    for (std::size_t at = end; at < bytes.size();) {
        const std::size_t next = std::min(bytes.find('\f', at + 1), bytes.size());
        entries.push_back({newJournalId(static_cast<std::int64_t>(entries.size())),
                           std::string(bytes.substr(at + 1, next - at - 1))});
        at = next;
    }
    const std::string fileText = plainText(bytes.substr(0, end));
    const FoldedRecords folded = foldJournal(fileText, entries);
    const FoldedText file = takeFoldedLine(fileText);
    std::int64_t games = gamesIn(parseRecords(file.text));
    for (const std::string& id : folded.counted) {
        games += isFolded(file.folded, id) ? 0 : 1;
    }
    if (games < std::numeric_limits<std::int64_t>::max() / 2 && gamesIn(folded.table) != games) {
        return "journal: an entry is not counted once";
    }
    const std::string text = serializeFolded(folded);
    const FoldedRecords again = foldJournal(text, entries);
    const FoldedRecords alone = foldJournal(text, {});
    if (again.table.records != folded.table.records ||
        alone.table.records != folded.table.records) {
        return "journal: an entry folded into the file is counted again or lost";
    }
    const std::string plain = plainText(bytes);
    if (plainText(inForm(plain, formOf(bytes))) != plain) {
        return "text form: the text does not come back as it was";
    }
    return "";
}

}  // namespace

std::string checkFormats(std::string_view bytes) {
    for (const auto check : {checkSettings, checkRecords, checkJournal}) {
        if (std::string failed = check(bytes); !failed.empty()) {
            return failed;
        }
    }
    return "";
}

}  // namespace tarnwick::storage
