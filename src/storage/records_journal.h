// The records file read together with its journal (journal.h): each entry is one ended game
// (journalLine), counted once whether it is folded into the file yet or not.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/journal.h"
#include "storage/records_format.h"

namespace tarnwick::storage {

struct FoldedRecords {
    RecordsTable table;                   // the file's records with every entry counted
    std::vector<std::string> counted;     // the entries the table counts, the earlier ones too
    std::vector<std::string> unreadable;  // entries that are no game: left as they are
};

// The records of the file's plain text with the entries (by ID) counted, each once: an entry
// named on the file's folded line is counted already.
FoldedRecords foldJournal(std::string_view fileText, const std::vector<JournalEntry>& entries);

// The file's new text: the table, and the folded line naming the entries it counts.
std::string serializeFolded(const FoldedRecords& folded);

}  // namespace tarnwick::storage
