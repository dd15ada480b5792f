#include "storage/settings_format.h"

#include <charconv>

namespace tarnwick::storage {

namespace {

constexpr std::string_view Blanks = " \t\r";

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// A `name = value` line split in two, or nullopt for a blank line or a comment. An empty name
// marks a malformed line.
struct Assignment {
    std::string_view name;
    std::string_view value;
};

std::optional<Assignment> splitAssignment(std::string_view line) {
    const std::string_view content = trim(line);
    if (content.empty() || content.front() == '#') {
        return std::nullopt;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return Assignment{};
    }
    return Assignment{trim(content.substr(0, equals)), trim(content.substr(equals + 1))};
}

// The value of a line when it is a whole decimal number within the range.
std::optional<int> valueInRange(std::string_view text, const SettingRange& range) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < range.lowest || value > range.highest) {
        return std::nullopt;
    }
    return value;
}

std::string assignmentLine(const SettingRange& range, int value) {
    return range.name + " = " + std::to_string(value);
}

// The index of the name in the table, or -1.
int findName(std::span<const SettingRange> table, std::string_view name) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string header(std::span<const SettingRange> table) {
    std::string text =
        "# Tarnwick settings: one `name = value` a line, the value a whole number.\n"
        "# Lines that begin with # are comments.\n"
        "# Ranges:";
    for (std::size_t i = 0; i < table.size(); ++i) {
        text += (i == 0 ? " " : ", ") + table[i].name + " " + std::to_string(table[i].lowest) +
                "-" + std::to_string(table[i].highest);
    }
    return text + "\n";
}

}  // namespace

SettingsParse parseSettings(std::string_view text, std::span<const SettingRange> table) {
    SettingsParse file;
    file.lines = splitLines(text);
    file.values.resize(table.size());
    std::vector<bool> unread(table.size(), false);
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const std::optional<Assignment> assignment = splitAssignment(file.lines[i]);
        const int index = assignment ? findName(table, assignment->name) : -1;
        if (assignment && assignment->name.empty()) {
            file.badLines.push_back(static_cast<int>(i) + 1);
        }
        if (index < 0) {
            continue;
        }
        // The later line of a name counts, whether it reads or not.
        const auto at = static_cast<std::size_t>(index);
        file.values[at] = valueInRange(assignment->value, table[at]);
        unread[at] = !file.values[at];
        if (unread[at]) {
            file.badLines.push_back(static_cast<int>(i) + 1);
        }
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (unread[i]) {
            file.unread.push_back(table[i].name);
        }
    }
    file.leaveFile = !file.badLines.empty();
    return file;
}

std::string rewriteSettings(const SettingsParse& file, std::span<const SettingRange> table,
                            std::span<const int> values) {
    std::vector<std::string> lines = file.lines;
    std::vector<bool> written(table.size(), false);
    for (std::string& line : lines) {
        const std::optional<Assignment> assignment = splitAssignment(line);
        const int index = assignment ? findName(table, assignment->name) : -1;
        if (index < 0) {
            continue;
        }
        // A line that already says the value stays as it is; any other line of the name
        // (another value, a malformed one, an earlier duplicate) is set to the value.
        const auto at = static_cast<std::size_t>(index);
        written[at] = true;
        if (valueInRange(assignment->value, table[at]) != values[at]) {
            line = assignmentLine(table[at], values[at]);
        }
    }
    std::string text = lines.empty() ? header(table) : "";
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!written[i]) {
            text += assignmentLine(table[i], values[i]) + "\n";
        }
    }
    return text;
}

}  // namespace tarnwick::storage
