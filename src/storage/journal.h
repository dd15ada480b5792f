// The journal beside a file: what a game could not write into the file itself, because
// another game held the file's lock for longer than a game waits. Each entry is a small file
// of its own, ".NAME.journal-ID", written whole and renamed into place, so that no entry is
// ever torn or shared, and the game that wrote it never waits on the other. The holder of
// the lock folds the entries into the file and removes them; whoever reads the file reads
// the entries with it.
//
// An entry's ID is the time it was made, in nanoseconds since 1970 (20 digits, so that the
// IDs sort by time), a '-' and 16 random hexadecimal digits.
//
// A holder killed between replacing the file and removing the entries must not count them
// twice: the file keeps the IDs it has folded on one comment line until they are gone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::storage {

struct JournalEntry {
    std::string id;
    std::string text;
};

// ".NAME.journal-": the entries' names, before their IDs.
std::string journalPrefix(const std::string& name);

// The time now, in ns since 1970, as the IDs count it.
std::int64_t journalNow();

// A new ID with the given time.
std::string newJournalId(std::int64_t timeNs);
// The time an ID was made, or -1 for a malformed ID.
std::int64_t journalTime(std::string_view id);

// The IDs on the file's folded line, and the text without that line.
struct FoldedText {
    std::string text;
    std::vector<std::string> folded;
};
FoldedText takeFoldedLine(std::string_view text);
// The text with a folded line naming the IDs at its end (none when there are none).
std::string withFoldedLine(std::string text, const std::vector<std::string>& ids);

// Whether the ID is among the folded ones.
bool isFolded(const std::vector<std::string>& folded, std::string_view id);

}  // namespace tarnwick::storage
