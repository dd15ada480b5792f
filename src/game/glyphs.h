// Board glyphs and colour sequences.
//
// Every board cell is two columns wide. Characters that a UTF-8 terminal draws one column
// wide (the blocks, the life dot, the bullet) are doubled or followed by a blank so that
// each glyph fills its cell.
#pragma once

#include <string_view>

namespace tarnwick {

// Colour sequences.
inline constexpr std::string_view ColourRedOnBlack = "\x1b[40;31m";
inline constexpr std::string_view ColourGreenOnBlack = "\x1b[40;32m";
inline constexpr std::string_view ColourBlueOnBlack = "\x1b[40;34m";
inline constexpr std::string_view ColourMagentaOnBlack = "\x1b[40;35m";
inline constexpr std::string_view ColourWhiteOnCyan = "\x1b[46;37m";
inline constexpr std::string_view ColourBlueOnYellow = "\x1b[43;34m";
inline constexpr std::string_view ColourMagentaOnYellow = "\x1b[43;35m";
inline constexpr std::string_view ColourBlueOnBlue = "\x1b[44;34m";
inline constexpr std::string_view ColourResetRed = "\x1b[0;32;31m";
inline constexpr std::string_view ColourReset = "\x1b[m";

// The glyph table.
inline constexpr std::string_view GlyphEmpty = "  ";
inline constexpr std::string_view GlyphWall = "\x1b[44;34m██\x1b[m";
inline constexpr std::string_view GlyphPictureWall = "▇▇";
inline constexpr std::string_view GlyphEntrance = "\x1b[40;32m入\x1b[m";
inline constexpr std::string_view GlyphEntranceFirst = "\x1b[40;32m入";  // first drawing, no reset
inline constexpr std::string_view GlyphExit = "\x1b[0;32;31m出\x1b[m";
inline constexpr std::string_view GlyphExitFirst = "\x1b[0;32;31m出";  // first drawing, no reset
inline constexpr std::string_view GlyphPlayer = "\x1b[46;37m〇\x1b[m";
inline constexpr std::string_view GlyphMonster = "\x1b[43;34m怪\x1b[m";
inline constexpr std::string_view GlyphCaught = "怪";
inline constexpr std::string_view GlyphCoin = "\x1b[43;35m￥\x1b[m";
inline constexpr std::string_view GlyphHit = "＃";
inline constexpr std::string_view GlyphBullet = "· ";
inline constexpr std::string_view GlyphSwingV = "｜";
inline constexpr std::string_view GlyphSwingH = "－";
inline constexpr std::string_view GlyphLife = "● ";

}  // namespace tarnwick
