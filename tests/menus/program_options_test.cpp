// The command line: the options of the table and the refusals.
#include "menus/program_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnwick {
namespace {

// What the options ask for, in one line.
std::string outcome(std::vector<std::string_view> arguments) {
    const ProgramOptions options = parseOptions(arguments);
    const char* actions[] = {"play", "help", "version", "records", ""};
    std::string line = actions[static_cast<int>(options.action)];
    if (options.seed) {
        line.append(" ").append(std::to_string(*options.seed));
    }
    line += options.mute ? " mute" : "";
    line += options.defaults ? " defaults" : "";
    return line + messageText(options.refusal, false);
}

TEST(ProgramOptions, ReadsTheTableFromLeftToRightAndRefusesTheRest) {
    EXPECT_EQ(outcome({}), "play");
    EXPECT_EQ(outcome({"--seed", "42", "--mute", "--seed=4294967295"}), "play 4294967295 mute");
    EXPECT_EQ(outcome({"-V", "--bogus"}), "version");
    EXPECT_EQ(outcome({"--defaults", "--records", "--bogus"}), "records defaults");
    EXPECT_EQ(outcome({"--bogus", "-h"}), "unknown option '--bogus'; try --help");
    EXPECT_EQ(outcome({"42"}), "unexpected argument '42'; try --help");
    EXPECT_EQ(outcome({"--seed"}), "option --seed needs a value; try --help");
    EXPECT_EQ(outcome({"--mute=1"}), "option --mute takes no value; try --help");
    for (const char* bad : {"4294967296", "+1", "0x10", ""}) {
        EXPECT_EQ(outcome({"--seed", bad}),
                  "bad value '" + std::string(bad) + "' for --seed; try --help");
    }
    // The same message in Chinese, its blanks filled alike.
    const std::vector<std::string_view> bad{"--seed=x"};
    EXPECT_EQ(messageText(parseOptions(bad).refusal, true),
              "选项 --seed 的值 'x' 无效；请看 --help");
}

}  // namespace
}  // namespace tarnwick
