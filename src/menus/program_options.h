// The command line: one table of options, read before anything touches the terminal. A new
// option is one row of the table (program_options.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

// What the command line asks for.
enum class ProgramAction { Play, Help, Version, Records, Refuse };

struct ProgramOptions {
    ProgramAction action = ProgramAction::Play;
    std::optional<std::uint32_t> seed;  // the random source's seed instead of the clock's
    bool mute = false;                  // no sound; every note still takes its time
    bool defaults = false;  // the default settings; the settings file is neither read nor written
    std::string refusal;    // for Refuse: one line naming what was wrong, and "try --help"
};

// Reads the arguments (the program's name left out) from left to right; the first of
// --help, --version, --records and a fault ends the reading.
ProgramOptions parseOptions(std::span<const std::string_view> arguments);
// The usage --help prints, in Chinese or in English.
std::string helpText(bool chinese);
// "tarnwick" and the version, one line.
std::string versionText();
// Whether messages are to be Chinese: the first of LC_ALL, LC_MESSAGES and LANG that is set
// and not empty names a zh locale.
bool chineseMessages(const char* lcAll, const char* lcMessages, const char* lang);

}  // namespace tarnwick
