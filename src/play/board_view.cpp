#include "play/board_view.h"

#include <array>
#include <string>
#include <string_view>

#include "game/board_geometry.h"
#include "game/glyphs.h"
#include "game/key_line.h"

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

std::string_view glyphOf(int code) {
    if (code < 0 || code >= static_cast<int>(CellGlyphs.size())) {
        return {};
    }
    return CellGlyphs[static_cast<std::size_t>(code)];
}

// "当前生命值： ", one life glyph per life, then one blank pair for each number from lives
// to 10.
std::string livesLine(int lives) {
    std::string line = "当前生命值： ";
    for (int i = 1; i <= lives; ++i) {
        line += GlyphLife;
    }
    for (int i = lives; i <= LivesPadTo; ++i) {
        line += GlyphEmpty;
    }
    return line;
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
    console.gotoXY(column, LivesRow);
    console.printText(livesLine(state.lives));
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
    if (const std::string keys = keyLine(state); !keys.empty()) {
        console.gotoXY(column, KeyLineRow);
        console.printText(ColourDim);
        console.printText(keys);
        console.printText(ColourReset);
    }
}

}  // namespace tarnwick
