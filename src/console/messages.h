// The messages the program prints outside the game's screens (refusals, faults on the command
// line, notes on the game's files), in English or in Chinese. Every text is in one table
// (messages.cpp); the code that finds a fault names its message and what fills the blanks,
// and the program chooses the language when it prints.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

enum class MessageId {
    None,
    // The terminal
    NotATerminal,
    DumbTerminal,
    // The command line
    UnknownOption,
    UnexpectedArgument,
    TakesNoValue,
    NeedsValue,
    BadValue,
    TryHelp,
    // The program's output
    CannotWriteOutput,
    // The game's folders and files
    NoHome,
    HomeEmpty,
    HomeNotAbsolute,
    NotAFolder,
    CannotCreateFolder,
    CannotRead,
    TooLarge,
    NotRegularNotRead,
    NotText,
    WouldBeTooLarge,
    SymbolicLink,
    NotRegularNotWritten,
    CannotWrite,
    NoWritePermission,
    RecordsBadLines,
    SettingsBadLines,
    NotAGame,
    // What a file that could not be written costs, told after its note
    RecordNotKept,
    SettingsNotKept,
};

// A message and what fills its blanks: {1}, {2}, ... from `values`, {e} the system's reason
// for the error number. `then` is a consequence told after it, in the same sentence.
struct Message {
    MessageId id = MessageId::None;
    std::vector<std::string> values{};
    int error = 0;
    MessageId then = MessageId::None;

    bool empty() const { return id == MessageId::None; }
    bool operator==(const Message&) const = default;
};

// The message's text, without the program's name or a line feed.
std::string messageText(const Message& message, bool chinese);

// Whether messages are to be Chinese: the first of LC_ALL, LC_MESSAGES and LANG that is set
// and not empty names a zh locale.
bool chineseMessages(const char* lcAll, const char* lcMessages, const char* lang);

}  // namespace tarnwick
