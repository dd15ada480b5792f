// Tarnwick: a maze game for the text terminal.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "menus/main_menu.h"
#include "menus/records_screen.h"
#include "storage/records_store.h"
#include "terminal/output_encoding.h"
#include "terminal/real_terminal.h"
#include "terminal/standard_descriptors.h"
#include "terminal/terminal_modes.h"

namespace {

// Writes a text in the locale's character set, as the game draws; returns the status, or 1
// when the text could not be written.
int writeText(std::FILE* to, std::string_view utf8, int status) {
    tarnwick::OutputEncoding encoding(tarnwick::localeCodeset());
    const std::string text = encoding.encode(utf8);
    const bool written = std::fwrite(text.data(), 1, text.size(), to) == text.size();
    return written && std::fflush(to) == 0 ? status : 1;
}

// A message on stderr, in the player's language, as one line; returns the status.
int printMessage(const tarnwick::Message& message, bool chinese, int status) {
    return writeText(stderr, "tarnwick: " + tarnwick::messageText(message, chinese) + "\n", status);
}

// Writes what an option asks for on the standard output. Output that cannot be written (a
// full disk, a pipe whose reader left) is said in one line on stderr, with status 1.
int writeOutput(std::string_view utf8, bool chinese) {
    // A pipe whose reader left fails the write instead of ending the program unheard.
    std::signal(SIGPIPE, SIG_IGN);
    errno = 0;
    if (writeText(stdout, utf8, 0) == 0) {
        return 0;
    }
    const int error = errno == 0 ? EIO : errno;
    return printMessage({tarnwick::MessageId::CannotWriteOutput, {}, error}, chinese, 1);
}

// The notes on the game's files, each once, after the terminal is restored.
void printNotes(const tarnwick::storage::Notes& notes, bool chinese) {
    for (const tarnwick::Message& note : notes) {
        printMessage(note, chinese, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tarnwick;
    openClosedStandardDescriptors();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const ProgramOptions options = parseOptions(arguments);
    const bool chinese =
        chineseMessages(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    const storage::FolderEnvironment environment = storage::processEnvironment();
    const ProgramFolders folders{storage::settingsFolder(environment),
                                 storage::recordsFolder(environment)};
    switch (options.action) {
        case ProgramAction::Help:
            return writeOutput(helpText(chinese), chinese);
        case ProgramAction::Version:
            return writeOutput(versionText(), chinese);
        case ProgramAction::Records: {
            const storage::LoadedRecords loaded = storage::loadRecords(folders.records);
            const int status = writeOutput(recordsText(loaded.table), chinese);
            printNotes(loaded.notes, chinese);
            return status;
        }
        case ProgramAction::Refuse:
            return printMessage(options.refusal, chinese, 2);
        case ProgramAction::Play:
            break;
    }
    // Nothing touches the terminal before this point.
    if (const MessageId refusal = terminalRefusal(STDOUT_FILENO, std::getenv("TERM"));
        refusal != MessageId::None) {
        return printMessage(Message{refusal}, chinese, 1);
    }
    storage::Notes notes;
    int status = 0;
    {
        // Left, and the terminal restored, before the notes are printed.
        RealTerminal terminal;
        status = programEntry(terminal, options, folders, &notes);
    }
    printNotes(notes, chinese);
    return status;
}
