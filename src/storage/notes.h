// Notes: what went wrong with the game's files, each a message (console/messages.h) that the
// program prints in the player's language. The game keeps playing whatever they say and prints
// them once on stderr after it leaves the screen.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "console/messages.h"

namespace tarnwick::storage {

using Notes = std::vector<Message>;

// Adds a note unless it is empty or already there, so that a failure repeated at every game
// is told once.
inline void addNote(Notes& notes, const Message& note) {
    if (!note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end()) {
        notes.push_back(note);
    }
}

// The note on the lines of a file that could not be read: how many, the first, and (in the
// message) what became of them.
inline Message badLinesNote(MessageId id, const std::string& path, const std::vector<int>& lines) {
    return {id, {path, std::to_string(lines.size()), std::to_string(lines.front())}};
}

// The note with what it cost told after it (MessageId::RecordNotKept, SettingsNotKept); an
// empty note stays empty.
inline Message costing(Message note, MessageId cost) {
    if (!note.empty()) {
        note.then = cost;
    }
    return note;
}

}  // namespace tarnwick::storage
