#include "storage/records_format.h"

#include <charconv>
#include <limits>

namespace tarnwick::storage {

namespace {

constexpr std::int64_t Largest = std::numeric_limits<std::int64_t>::max();

constexpr std::string_view Header =
    "# Tarnwick records: one line per mode and board size, the columns:\n"
    "#   mode size games wins best levels coins\n"
    "# best: the shortest time to the exit in a won game, in tenths of a second of game\n"
    "# time (- when none yet); levels: the most levels cleared in one endless run;\n"
    "# coins: coins collected in all games of the line.\n";

constexpr std::string_view Blanks = " \t\r";

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t at = line.find_first_not_of(Blanks); at != std::string_view::npos;
         at = line.find_first_not_of(Blanks, at)) {
        const std::size_t end = line.find_first_of(Blanks, at);
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

template <typename Number>
std::optional<Number> number(std::string_view word, Number lowest) {
    Number value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < lowest) {
        return std::nullopt;
    }
    return value;
}

std::optional<Record> parseRecordLine(std::string_view line) {
    const std::vector<std::string_view> words = splitWords(line);
    if (words.size() != 7) {
        return std::nullopt;
    }
    const auto size = number<int>(words[1], 1);
    const auto games = number<std::int64_t>(words[2], 0);
    const auto wins = number<std::int64_t>(words[3], 0);
    const auto best = number<std::int64_t>(words[4], 0);
    const auto levels = number<std::int64_t>(words[5], 0);
    const auto coins = number<std::int64_t>(words[6], 0);
    if (!size || !games || !wins || *wins > *games || (!best && words[4] != "-") || !levels ||
        !coins) {
        return std::nullopt;
    }
    return Record{std::string(words[0]), *size, *games, *wins, best, *levels, *coins};
}

std::string formatRecord(const Record& record) {
    return record.mode + " " + std::to_string(record.boardSize) + " " +
           std::to_string(record.games) + " " + std::to_string(record.wins) + " " +
           (record.bestTenths ? std::to_string(*record.bestTenths) : "-") + " " +
           std::to_string(record.mostLevels) + " " + std::to_string(record.coins);
}

std::int64_t saturatingAdd(std::int64_t count, std::int64_t more) {
    more = std::max<std::int64_t>(more, 0);
    return count > Largest - more ? Largest : count + more;
}

}  // namespace

RecordsTable parseRecords(std::string_view text) {
    RecordsTable table;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        const std::size_t first = line.find_first_not_of(Blanks);
        const std::optional<Record> record = first == std::string_view::npos || line[first] == '#'
                                                 ? std::nullopt
                                                 : parseRecordLine(line);
        if (record && !findRecord(table, record->mode, record->boardSize)) {
            table.lines.push_back({"", static_cast<int>(table.records.size())});
            table.records.push_back(*record);
            continue;
        }
        if (first != std::string_view::npos && line[first] != '#') {
            table.badLines.push_back(number);
        }
        table.lines.push_back({std::string(line), -1});
    }
    return table;
}

std::string serializeRecords(const RecordsTable& table) {
    std::string text = table.lines.empty() ? std::string(Header) : "";
    for (const RecordsTable::Line& line : table.lines) {
        text += line.record >= 0
                    ? formatRecord(table.records[static_cast<std::size_t>(line.record)])
                    : line.text;
        text += "\n";
    }
    return text;
}

std::string journalLine(const FinishedGame& game) {
    return game.mode + " " + std::to_string(game.boardSize) + " " + (game.won ? "1" : "0") + " " +
           std::to_string(game.timeTenths) + " " + std::to_string(game.levels) + " " +
           std::to_string(game.coins) + "\n";
}

std::optional<FinishedGame> parseJournalLine(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    const std::vector<std::string_view> words = splitWords(line);
    if (words.size() != 6 || line.find('\n') != std::string_view::npos || words[0][0] == '#') {
        return std::nullopt;
    }
    const auto size = number<int>(words[1], 1);
    const auto won = number<int>(words[2], 0);
    const auto time = number<std::int64_t>(words[3], 0);
    const auto levels = number<std::int64_t>(words[4], 0);
    const auto coins = number<std::int64_t>(words[5], 0);
    if (!size || !won || *won > 1 || !time || !levels || !coins) {
        return std::nullopt;
    }
    return FinishedGame{std::string(words[0]), *size, *won == 1, *time, *levels, *coins};
}

const Record* findRecord(const RecordsTable& table, std::string_view mode, int boardSize) {
    for (const Record& record : table.records) {
        if (record.mode == mode && record.boardSize == boardSize) {
            return &record;
        }
    }
    return nullptr;
}

Record addGameToRecord(Record record, const FinishedGame& game) {
    record.games = saturatingAdd(record.games, 1);
    if (game.won) {
        record.wins = saturatingAdd(record.wins, 1);
        if (game.timeTenths >= 0 && (!record.bestTenths || game.timeTenths < *record.bestTenths)) {
            record.bestTenths = game.timeTenths;
        }
    }
    record.mostLevels = std::max(record.mostLevels, game.levels);
    record.coins = saturatingAdd(record.coins, game.coins);
    return record;
}

const Record& addGame(RecordsTable& table, const FinishedGame& game) {
    if (const Record* found = findRecord(table, game.mode, game.boardSize)) {
        Record& record = table.records[static_cast<std::size_t>(found - table.records.data())];
        record = addGameToRecord(record, game);
        return record;
    }
    if (table.lines.empty()) {
        // The header goes first, as in a new file, so that the record follows it.
        table = parseRecords(Header);
    }
    table.lines.push_back({"", static_cast<int>(table.records.size())});
    table.records.push_back(addGameToRecord({game.mode, game.boardSize}, game));
    return table.records.back();
}

}  // namespace tarnwick::storage
