// Tarnwick: a maze game for the text terminal.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "menus/main_menu.h"
#include "menus/records_screen.h"
#include "storage/records_store.h"
#include "terminal/system_console.h"

namespace {

// The notes on the game's files, each once, after the terminal is restored.
void printNotes(const tarnwick::storage::Notes& notes) {
    for (const std::string& note : notes) {
        tarnwick::writeText(stderr, "tarnwick: " + note + "\n", 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tarnwick;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const ProgramOptions options = parseOptions(arguments);
    const bool chinese =
        chineseMessages(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    const storage::FolderEnvironment environment = storage::processEnvironment();
    const ProgramFolders folders{storage::settingsFolder(environment),
                                 storage::recordsFolder(environment)};
    switch (options.action) {
        case ProgramAction::Help:
            return writeText(stdout, helpText(chinese), 0);
        case ProgramAction::Version:
            return writeText(stdout, versionText(), 0);
        case ProgramAction::Records: {
            const storage::LoadedRecords loaded = storage::loadRecords(folders.records);
            const int status = writeText(stdout, recordsText(loaded.table), 0);
            printNotes(loaded.notes);
            return status;
        }
        case ProgramAction::Refuse:
            return writeText(stderr, options.refusal, 2);
        case ProgramAction::Play:
            break;
    }
    // Nothing touches the terminal before this point.
    if (const std::string refusal = consoleRefusal(); !refusal.empty()) {
        return writeText(stderr, refusal, 1);
    }
    storage::Notes notes;
    int status = 0;
    {
        // Left, and the terminal restored, before the notes are printed.
        const std::unique_ptr<Console> console = openConsole();
        status = programEntry(*console, options, folders, &notes);
    }
    printNotes(notes);
    return status;
}
