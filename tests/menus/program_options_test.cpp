// The command line: the options of the table, the refusals, and the help's language.
#include "menus/program_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "console/screen.h"

namespace tarnwick {
namespace {

TEST(ProgramOptions, ReadsTheTableFromLeftToRightAndRefusesTheRest) {
    struct Case {
        std::vector<std::string_view> arguments;
        ProgramAction action;
        std::optional<std::uint32_t> seed;
        bool mute;
        std::string refusal;  // between "tarnwick: " and "; try --help"
    };
    using enum ProgramAction;
    const Case cases[] = {
        {{}, Play, {}, false, ""},
        {{"--seed", "42", "--mute"}, Play, 42, true, ""},
        {{"--seed=4294967295", "--seed", "007"}, Play, 7, false, ""},
        {{"-V", "--bogus"}, Version, {}, false, ""},
        {{"--help", "-V"}, Help, {}, false, ""},
        {{"--bogus", "-h"}, Refuse, {}, false, "unknown option '--bogus'"},
        {{"-hV"}, Refuse, {}, false, "unknown option '-hV'"},
        {{"play"}, Refuse, {}, false, "unexpected argument 'play'"},
        {{"--seed"}, Refuse, {}, false, "option --seed needs a value"},
        {{"--mute=yes"}, Refuse, {}, false, "option --mute takes no value"},
        {{"--seed", "4294967296"}, Refuse, {}, false, "bad value '4294967296' for --seed"},
        {{"--seed=+1"}, Refuse, {}, false, "bad value '+1' for --seed"},
        {{"--seed", "0x10"}, Refuse, {}, false, "bad value '0x10' for --seed"},
        {{"--seed="}, Refuse, {}, false, "bad value '' for --seed"},
    };
    for (const Case& c : cases) {
        std::ostringstream name;
        for (const std::string_view argument : c.arguments) {
            name << argument << ' ';
        }
        SCOPED_TRACE(name.str());
        const ProgramOptions options = parseOptions(c.arguments);
        EXPECT_EQ(options.action, c.action);
        EXPECT_EQ(options.seed, c.seed);
        EXPECT_EQ(options.mute, c.mute);
        EXPECT_EQ(options.refusal,
                  c.refusal.empty() ? "" : "tarnwick: " + c.refusal + "; try --help\n");
    }
}

TEST(ProgramOptions, HelpSpeaksTheLocalesLanguageAndFitsEightyColumns) {
    EXPECT_TRUE(chineseMessages(nullptr, nullptr, "zh_CN.UTF-8"));
    EXPECT_TRUE(chineseMessages("", "zh_TW.Big5", "en_US.UTF-8"));
    EXPECT_FALSE(chineseMessages("C", "zh_CN.UTF-8", "zh_CN.UTF-8"));
    EXPECT_FALSE(chineseMessages(nullptr, nullptr, nullptr));
    EXPECT_EQ(versionText(), "tarnwick 1.1.0\n");
    for (const bool chinese : {false, true}) {
        const std::string help = helpText(chinese);
        EXPECT_EQ(help.starts_with("用法："), chinese);
        for (const char* option : {"-h, --help", "-V, --version", "--seed N", "--mute"}) {
            EXPECT_NE(help.find(option), std::string::npos) << option;
        }
        std::istringstream lines(help);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(displayWidth(line), 80) << line;
        }
    }
}

}  // namespace
}  // namespace tarnwick
