// Tarnwick: a maze game for the text terminal.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "menus/main_menu.h"
#include "menus/records_screen.h"
#include "storage/records_store.h"
#include "terminal/standard_descriptors.h"
#include "terminal/system_console.h"

namespace {

// A message on stderr, in the player's language, as one line; returns the status.
int printMessage(const tarnwick::Message& message, bool chinese, int status) {
    return tarnwick::writeText(
        stderr, "tarnwick: " + tarnwick::messageText(message, chinese) + "\n", status);
}

// Writes what an option asks for on the standard output. Output that cannot be written (a
// full disk, a pipe whose reader left) is said in one line on stderr, with status 1.
int writeOutput(std::string_view utf8, bool chinese) {
    errno = 0;
    if (tarnwick::writeText(stdout, utf8, 0) == 0) {
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
    if (const Message refusal = consoleRefusal(); !refusal.empty()) {
        return printMessage(refusal, chinese, 1);
    }
    storage::Notes notes;
    int status = 0;
    {
        // Left, and the terminal restored, before the notes are printed.
        const std::unique_ptr<Console> console = openConsole();
        status = programEntry(*console, options, folders, &notes);
    }
    printNotes(notes, chinese);
    return status;
}
