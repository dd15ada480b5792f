// The settings file: UTF-8 text a person can edit, one setting a line.
//
//   # Tarnwick settings ...        a line whose first non-blank character is # is a comment
//   size = 3                       name = value: the value a whole decimal number
//                                  (blanks around the name, the = and the value are ignored)
//
// Blank lines and comments are ignored; so are names the game does not know. The game passes
// its table of names with their lowest and highest values. A line of a known name whose value
// is not a whole number in its range, and a line that is neither blank, a comment nor
// `name = value`, are malformed: the names on such lines could not be read (the game uses
// their defaults) and the file is left as it is until the player changes a setting. When a
// name appears twice, the later line counts.
//
// Rewriting keeps every line as it was, in its order (comments, unknown names, malformed
// lines), except the lines of the names whose value changed, which become `name = value`;
// a name the file lacks is added at the end. A file with no lines gets a comment header that
// says the format and the ranges first.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::storage {

struct SettingRange {
    std::string name;
    int lowest = 0;
    int highest = 0;
};

struct SettingsParse {
    std::vector<std::string> lines;          // every line of the file as it was, without '\n'
    std::vector<std::optional<int>> values;  // per name of the table: the value read, if any
    std::vector<std::string> unread;         // the table's names on malformed lines
    std::vector<int> badLines;               // malformed lines, numbered from 1
    // Something could not be read: the file stays as it is until the player changes a setting.
    bool leaveFile = false;
};

SettingsParse parseSettings(std::string_view text, std::span<const SettingRange> table);

// The file's text with every name of the table set to its value (one per name, in the table's
// order), keeping every other line.
std::string rewriteSettings(const SettingsParse& file, std::span<const SettingRange> table,
                            std::span<const int> values);

}  // namespace tarnwick::storage
