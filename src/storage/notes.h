// Notes: what went wrong with the game's files, one short English sentence each. The game
// keeps playing whatever they say and prints them once on stderr after it leaves the screen.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tarnwick::storage {

using Notes = std::vector<std::string>;

// Adds a note unless it is empty or already there, so that a failure repeated at every game
// is told once.
inline void addNote(Notes& notes, const std::string& note) {
    if (!note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end()) {
        notes.push_back(note);
    }
}

// The note on the lines of a file that could not be read: how many, the first, and what
// became of them.
inline std::string badLinesNote(const std::string& path, const std::vector<int>& lines,
                                const std::string& outcome) {
    return path + ": " + std::to_string(lines.size()) +
           " line(s) could not be read (the first is line " + std::to_string(lines.front()) +
           "); " + outcome;
}

// What a file that could not be written costs, at the end of its note.
inline constexpr const char* RecordNotKept = "this game's record is not kept";
inline constexpr const char* SettingsNotKept = "the settings are not kept";

// The note on a file the player took the write permission from.
inline std::string readOnlyNote(const std::string& path, const std::string& notKept) {
    return path + " has no write permission: it is left as it is, and " + notKept;
}

// The note on output (--help, --version, --records) that could not be written.
inline std::string outputNote(const std::string& reason) {
    return "cannot write the output: " + reason;
}

}  // namespace tarnwick::storage
