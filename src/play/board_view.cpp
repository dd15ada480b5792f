#include "play/board_view.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "console/screen.h"
#include "console/view.h"
#include "game/board_geometry.h"
#include "game/colours.h"
#include "game/glyphs.h"
#include "game/key_line.h"
#include "play/exit_hint.h"

namespace tarnwick {

namespace {

// The glyph of each cell code on a redraw; an empty entry (code 4) and codes past the table
// (CellMonsterMoved) print nothing and stay blank from the clearing.
constexpr std::array<std::string_view, 7> CellGlyphs{
    GlyphEmpty, GlyphWall, GlyphEntrance, GlyphExit, "", GlyphMonster, GlyphCoin,
};

constexpr int LivesRow = 5;
constexpr int CoinsRow = 7;
constexpr int ModeRow = 9;
constexpr int EquipmentRow = 11;
constexpr int LevelsRow = 13;
constexpr int KeyLineRow = 15;
// Blank pairs pad the lives row up to this count, so that a lost life is wiped.
constexpr int LivesPadTo = 10;
// The narrow panel's width: 80 columns leave 20 board cells and the gap beside it.
constexpr int NarrowPanelColumns = 80 - 20 * CellColumns - View::PanelGap;
constexpr std::string_view LivesTitle = "当前生命值： ";
// Blanks after the count of lives, so that a count one digit shorter wipes the longer one.
constexpr std::string_view CountPad = "    ";

std::string_view glyphOf(int code) {
    if (code < 0 || code >= static_cast<int>(CellGlyphs.size())) {
        return {};
    }
    return CellGlyphs[static_cast<std::size_t>(code)];
}

// "当前生命值： ", one life glyph per life, then one blank pair for each number from lives
// to 10.
std::string livesLine(int lives) {
    std::string line(LivesTitle);
    for (int i = 1; i <= lives; ++i) {
        line += GlyphLife;
    }
    for (int i = lives; i <= LivesPadTo; ++i) {
        line += GlyphEmpty;
    }
    return line;
}

// The lives as one life glyph and their number, for a panel without room for the dots.
std::string livesCountLine(int lives) {
    return std::string(LivesTitle).append(GlyphLife).append(std::to_string(lives)).append(CountPad);
}

// The panel's lines in the form the terminal has room for.
struct PanelLines {
    std::string lives;
    std::string keys;
    bool narrow = false;
};

PanelLines panelLines(const Game& game) {
    const GameState& state = game.state;
    PanelLines lines{livesLine(state.lives), keyLine(state)};
    const int widest = std::max(
        {displayWidth(lines.lives), displayWidth(lines.keys), displayWidth(equipmentLine(state))});
    lines.narrow = panelColumn(state) + widest > game.console.columns();
    if (lines.narrow) {
        lines.keys = keyLine(state, true);
        if (displayWidth(lines.lives) > NarrowPanelColumns) {
            lines.lives = livesCountLine(state.lives);
            return lines;
        }
    }
    // Past ten lives the dots have no blanks of their own: one pair after them wipes the dot
    // of the life that a catch takes. The widths above are the dots' alone.
    if (state.lives > LivesPadTo) {
        lines.lives += GlyphEmpty;
    }
    return lines;
}

}  // namespace

void showBoardArea(Game& game) {
    game.console.showBoard(BoardArea{cellColumn(1), cellRow(1), boardWidth(game.state),
                                     boardHeight(game.state), CellColumns});
}

void drawPlayer(Game& game, int x, int y) {
    drawAtCell(game, x, y, GlyphPlayer);
    game.console.keepInSight(cellColumn(x), cellRow(y));
}

void redrawBoard(Game& game) {
    const GameState& state = game.state;
    game.console.clearScreen();
    game.exitHint = {};
    showBoardArea(game);
    for (int y = 1; y <= boardHeight(state); ++y) {
        for (int x = 1; x <= boardWidth(state); ++x) {
            const std::string_view glyph = glyphOf(state.maze[x][y]);
            if (!glyph.empty()) {
                drawAtCell(game, x, y, glyph);
            }
        }
    }
    drawPlayer(game, state.playerX, state.playerY);
    drawStatusPanel(game);
}

std::string equipmentLine(const GameState& state) {
    std::string line = "当前已装备  ";
    if (state.hasGun != 0) {
        line += "  冲锋枪";
    }
    if (state.hasKnife != 0) {
        line += "  瑞士军刀";
    }
    return line;
}

void drawStatusPanel(Game& game) {
    const GameState& state = game.state;
    Console& console = game.console;
    const int column = panelColumn(state);
    const PanelLines lines = panelLines(game);
    game.narrowPanel = lines.narrow;
    console.gotoXY(column, LivesRow);
    console.printText(lines.lives);
    console.gotoXY(column, CoinsRow);
    console.printFormatted("当前金币 ￥：  %d", state.coins);
    console.gotoXY(column, ModeRow);
    console.printText("当前模式为： ");
    console.printText(modeEntry(state.mode).panelName);
    console.gotoXY(column, EquipmentRow);
    console.printText(equipmentLine(state));
    console.gotoXY(column, LevelsRow);
    if (modeRules(state.mode).chainedLevels) {
        console.printFormatted("你已经闯过 %d 关", state.levelsCleared);
    }
    // Dim, so that it stays behind the game's own lines.
    if (!lines.keys.empty()) {
        console.gotoXY(column, KeyLineRow);
        console.printText(ColourDim);
        console.printText(lines.keys);
        console.printText(ColourReset);
    }
    drawExitHint(game);
}

void fitStatusPanel(Game& game) {
    if (panelLines(game).narrow == game.narrowPanel) {
        return;
    }
    // The lines of the other form may be longer or shorter: the panel's rows are blanked,
    // and the view measures the panel afresh.
    const int column = panelColumn(game.state);
    const std::string blank(static_cast<std::size_t>(Screen::Columns - column), ' ');
    game.console.printText(ColourReset);
    for (int row = 0; row <= KeyLineRow; ++row) {
        game.console.gotoXY(column, row);
        game.console.printText(blank);
    }
    game.exitHint = {};
    showBoardArea(game);
    drawStatusPanel(game);
}

}  // namespace tarnwick
