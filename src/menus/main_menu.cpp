#include "menus/main_menu.h"

#include <array>
#include <ctime>

#include "game/colours.h"
#include "menus/info_screens.h"
#include "menus/muted_console.h"
#include "menus/records_screen.h"
#include "menus/settings.h"
#include "menus/settings_table.h"
#include "play/game_run.h"

namespace tarnwick {

namespace {

// The whole menu shows red on black.
constexpr std::array<ScreenLine, 7> MainMenuLines{{
    {36, 12, "欢迎来到Tarnwick游戏"},
    {43, 14, "1. 开始游戏"},
    {43, 16, "2. 设置"},
    {43, 18, "3. 帮助"},
    {43, 20, "4. 关于(请谨慎进入因为进入可能要好久才能出来)"},
    {43, 22, "退出游戏请输入     0"},
    {43, 24, "5. 记录"},
}};

constexpr int NoChoice = -1;

// The main menu's choice for a key: '0' to '5' choose, everything else is no choice.
int menuChoice(int key) {
    if (key >= '0' && key <= '5') {
        return key - '0';
    }
    return NoChoice;
}

// Runs what the main menu chose (1 to 5); any other choice shows the menu again.
void runChoice(Game& game, int choice) {
    switch (choice) {
        case 1:
            runGame(game);
            break;
        case 2:
            settingsMenu(game);
            break;
        case 3:
            helpScreen(game);
            break;
        case 4:
            aboutScreen(game);
            break;
        case 5:
            recordsScreen(game);
            break;
        default:
            break;
    }
}

}  // namespace

int mainMenu(Game& game) {
    game.console.hideCursor();
    printLinesInColour(game.console, ColourRedOnBlack, MainMenuLines);
    game.console.hideCursor();
    const int choice = menuChoice(game.console.readKey());
    game.console.clearScreen();
    return choice;
}

int programEntry(Console& terminal, const ProgramOptions& options, const ProgramFolders& folders,
                 storage::Notes* notes) {
    MutedConsole muted(terminal);
    Console& console = options.mute ? muted : terminal;
    Game game(console);
    // --defaults: the settings file is neither read nor written in this run.
    game.files.settings = options.defaults ? storage::StorageFolder{} : folders.settings;
    game.files.records = folders.records;
    console.setTitle("Tarnwick");
    bool running = true;
    console.hideCursor();
    game.random.seedRandom(options.seed ? *options.seed
                                        : static_cast<unsigned>(std::time(nullptr)));
    game.state.mazeHeight = boardSizeFor(game.state.sizeFactor);
    game.state.mazeWidth = boardSizeFor(game.state.sizeFactor);
    loadSettingsAtStart(game);
    try {
        while (running) {
            console.clearScreen();
            const int choice = mainMenu(game);
            if (choice == 0) {
                running = false;
            } else {
                runChoice(game, choice);
            }
        }
    } catch (const EndOfInput&) {
        // No more keys can come: end as if the player had quit.
        console.clearScreen();
    }
    if (notes != nullptr) {
        *notes = game.files.notes;
    }
    return 0;
}

}  // namespace tarnwick
