// The game modes: their names and the rules that the play code asks about.
#pragma once

#include <span>
#include <string_view>

namespace tarnwick {

// The values, 1 to 5, are the keys that choose the modes in the settings.
enum Mode : int { ModeTimed = 1, ModeAutoWalk, ModeEndless, ModeWarGod, ModeEasterEgg };

// The rules of a mode that differ from plain play.
struct ModeRules {
    // A countdown runs in every tick and ends the game at 0; each level sets the time budget.
    bool timed = false;
    // The game walks the way to the exit by itself: no key is read and no monster steps.
    bool walksItself = false;
    // A victory goes on to a new level; the panel and the end screens count the levels.
    bool chainedLevels = false;
    // Only the edge of the board stops the player.
    bool walksThroughWalls = false;
    // The cell the player steps onto acts: a coin is taken, a monster catches, the exit wins.
    bool resolvesCells = true;
    // The fixed picture maze, played with fixed values, in place of a carved maze.
    bool fixedBoard = false;
};

// One mode: its names on the screens and its rules. A new mode is one row of the table plus
// the code of its own rules.
struct ModeEntry {
    Mode mode;
    std::string_view panelName;    // the status panel's name of the mode
    std::string_view menuName;     // the mode settings' list of the modes
    std::string_view currentName;  // the mode settings' line of the current mode
    std::string_view recordKey;    // the records file's word for the mode (ASCII, no blanks)
    ModeRules rules;
};

// Every mode, in the order of its value.
std::span<const ModeEntry> modeTable();
// The entry of a mode; a value outside the table has no names and the rules of plain play.
const ModeEntry& modeEntry(Mode mode);
// The rules of a mode.
const ModeRules& modeRules(Mode mode);

}  // namespace tarnwick
