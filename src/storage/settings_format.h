// The settings file: UTF-8 text a person can edit, one `name = value` a line, with comments;
// the game passes its table of names with their lowest and highest values. The format, what
// cannot be read and how a rewrite keeps the other lines are told in the manual page
// (doc/tarnwick.6, FILES).
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
