// Board glyphs.
//
// Every board cell is two columns wide. Characters that a UTF-8 terminal draws one column
// wide (the blocks, the life dot, the bullet) are doubled or followed by a blank so that
// each glyph fills its cell.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "game/colours.h"

namespace tarnwick {

// The text of a coloured glyph, joined from its colour, its characters and what follows them
// (the reset) when compiling.
struct GlyphText {
    std::array<char, 32> chars{};
    std::size_t size = 0;
};

consteval GlyphText coloured(std::string_view colour, std::string_view characters,
                             std::string_view after = ColourReset) {
    GlyphText text;
    for (const std::string_view part : {colour, characters, after}) {
        for (const char c : part) {
            text.chars.at(text.size++) = c;
        }
    }
    return text;
}

// A text joined by `coloured`, kept for the whole run.
template <GlyphText Text>
inline constexpr std::string_view glyphText{Text.chars.data(), Text.size};

// The glyph table.
inline constexpr std::string_view GlyphEmpty = "  ";
inline constexpr std::string_view GlyphWall = glyphText<coloured(ColourBlueOnBlue, "██")>;
inline constexpr std::string_view GlyphPictureWall = "▇▇";
inline constexpr std::string_view GlyphEntrance = glyphText<coloured(ColourGreenOnBlack, "入")>;
inline constexpr std::string_view GlyphExit = glyphText<coloured(ColourResetRed, "出")>;
// The first drawing of a board leaves out the reset after the entrance and the exit.
inline constexpr std::string_view GlyphEntranceFirst =
    glyphText<coloured(ColourGreenOnBlack, "入", "")>;
inline constexpr std::string_view GlyphExitFirst = glyphText<coloured(ColourResetRed, "出", "")>;
inline constexpr std::string_view GlyphPlayer =
    glyphText<coloured(ColourWhiteOnCyanStandout, "〇")>;
inline constexpr std::string_view GlyphMonster = glyphText<coloured(ColourBlueOnYellow, "怪")>;
inline constexpr std::string_view GlyphCaught = "怪";
inline constexpr std::string_view GlyphCoin = glyphText<coloured(ColourMagentaOnYellow, "￥")>;
inline constexpr std::string_view GlyphHit = "＃";
inline constexpr std::string_view GlyphBullet = "· ";
inline constexpr std::string_view GlyphSwingV = "｜";
inline constexpr std::string_view GlyphSwingH = "－";
inline constexpr std::string_view GlyphLife = "● ";

}  // namespace tarnwick
