#include "menus/program_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <vector>

namespace tarnwick {

namespace {

bool setHelp(ProgramOptions& options, std::string_view) {
    options.action = ProgramAction::Help;
    return true;
}

bool setVersion(ProgramOptions& options, std::string_view) {
    options.action = ProgramAction::Version;
    return true;
}

// A seed is a decimal number of 0 to 4294967295, digits only: no sign, no blank, no base.
bool setSeed(ProgramOptions& options, std::string_view value) {
    std::uint64_t seed = 0;
    const char* end = value.data() + value.size();
    if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos ||
        std::from_chars(value.data(), end, seed).ec != std::errc{} ||
        seed > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    options.seed = static_cast<std::uint32_t>(seed);
    return true;
}

bool setMute(ProgramOptions& options, std::string_view) {
    options.mute = true;
    return true;
}

bool setRecords(ProgramOptions& options, std::string_view) {
    options.action = ProgramAction::Records;
    return true;
}

bool setDefaults(ProgramOptions& options, std::string_view) {
    options.defaults = true;
    return true;
}

struct OptionRow {
    std::string_view name;       // "--seed"
    std::string_view shortName;  // "-h", or empty
    std::string_view valueName;  // what the option's value is called; empty: it takes none
    std::string_view english;
    std::string_view chinese;
    // Takes the option (and its value); false when the value is not one it takes.
    bool (*apply)(ProgramOptions& options, std::string_view value);
};

constexpr std::array<OptionRow, 6> OptionTable{{
    {"--help", "-h", "", "show this help and exit", "显示本帮助并退出", setHelp},
    {"--version", "-V", "", "show the version and exit", "显示版本并退出", setVersion},
    {"--seed", "", "N", "random seed N (0 to 4294967295) instead of the clock",
     "用 N（0 到 4294967295）代替时钟作随机种子", setSeed},
    {"--mute", "", "", "play no sound; every note still takes its time",
     "不发出声音；每个音符照样占用它的时间", setMute},
    {"--records", "", "", "print the records table and exit", "打印记录表并退出", setRecords},
    {"--defaults", "", "", "play with the default settings; leave the settings file alone",
     "使用默认设置；不读也不写设置文件", setDefaults},
}};

struct Texts {
    std::string_view usage;
    std::string_view about;
    std::string_view keys;
};

constexpr Texts English{
    "Usage: tarnwick [OPTION]...",
    "Tarnwick, a maze game for the text terminal (its texts are in Chinese).",
    "In play, w a s d or the arrow keys move; the key line below the status panel\n"
    "shows the other keys that work.",
};
constexpr Texts Chinese{
    "用法：tarnwick [选项]...",
    "Tarnwick，文字终端里的迷宫游戏。",
    "游戏中用 w a s d 或方向键移动；状态栏下方的按键行列出此刻可用的其他按键。",
};

const OptionRow* findOption(std::string_view name) {
    for (const OptionRow& row : OptionTable) {
        if (name == row.name || (!row.shortName.empty() && name == row.shortName)) {
            return &row;
        }
    }
    return nullptr;
}

void refuse(ProgramOptions& options, MessageId what, std::vector<std::string> values) {
    options.action = ProgramAction::Refuse;
    options.refusal = Message{what, std::move(values), 0, MessageId::TryHelp};
}

// "  -h, --help" or "      --seed N": the option's names as the help lists them.
std::string namesOf(const OptionRow& row) {
    std::string names = row.shortName.empty() ? "    " : std::string(row.shortName) + ", ";
    names.append(row.name);
    if (!row.valueName.empty()) {
        names.append(" ").append(row.valueName);
    }
    return "  " + names;
}

}  // namespace

ProgramOptions parseOptions(std::span<const std::string_view> arguments) {
    ProgramOptions options;
    for (std::size_t i = 0; i < arguments.size() && options.action == ProgramAction::Play; ++i) {
        const std::string_view argument = arguments[i];
        // A long option may carry its value after '=': --seed=42.
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : argument.npos;
        const OptionRow* row = findOption(argument.substr(0, equals));
        if (row == nullptr) {
            refuse(options,
                   argument.starts_with("-") ? MessageId::UnknownOption
                                             : MessageId::UnexpectedArgument,
                   {std::string(argument)});
            break;
        }
        std::optional<std::string_view> value;
        if (equals != argument.npos) {
            value = argument.substr(equals + 1);
        } else if (!row->valueName.empty() && i + 1 < arguments.size()) {
            value = arguments[++i];
        }
        const std::string name(row->name);
        if (row->valueName.empty() && value) {
            refuse(options, MessageId::TakesNoValue, {name});
        } else if (!row->valueName.empty() && !value) {
            refuse(options, MessageId::NeedsValue, {name});
        } else if (!row->apply(options, value.value_or(""))) {
            refuse(options, MessageId::BadValue, {std::string(*value), name});
        }
    }
    return options;
}

std::string helpText(bool chinese) {
    const Texts& texts = chinese ? Chinese : English;
    std::size_t width = 0;
    for (const OptionRow& row : OptionTable) {
        width = std::max(width, namesOf(row).size());
    }
    std::string text = std::string(texts.usage) + "\n" + std::string(texts.about) + "\n\n";
    for (const OptionRow& row : OptionTable) {
        const std::string names = namesOf(row);
        text += names + std::string(width + 2 - names.size(), ' ') +
                std::string(chinese ? row.chinese : row.english) + "\n";
    }
    return text + "\n" + std::string(texts.keys) + "\n";
}

std::string versionText() {
    return "tarnwick " TARNWICK_VERSION "\n";
}

}  // namespace tarnwick
