// The command line: one table of options, read before anything touches the terminal. A new
// option is one row of the table (program_options.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "console/messages.h"

namespace tarnwick {

// What the command line asks for.
enum class ProgramAction { Play, Help, Version, Records, Refuse };

struct ProgramOptions {
    ProgramAction action = ProgramAction::Play;
    std::optional<std::uint32_t> seed;  // the random source's seed instead of the clock's
    bool mute = false;                  // no sound; every note still takes its time
    bool defaults = false;  // the default settings; the settings file is neither read nor written
    Message refusal;        // for Refuse: what was wrong, and "try --help"
};

// Reads the arguments (the program's name left out) from left to right; the first of
// --help, --version, --records and a fault ends the reading.
ProgramOptions parseOptions(std::span<const std::string_view> arguments);
// The usage --help prints, in Chinese or in English.
std::string helpText(bool chinese);
// "tarnwick" and the version, one line.
std::string versionText();

}  // namespace tarnwick
