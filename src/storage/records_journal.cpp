#include "storage/records_journal.h"

namespace tarnwick::storage {

FoldedRecords foldJournal(std::string_view fileText, const std::vector<JournalEntry>& entries) {
    const FoldedText file = takeFoldedLine(fileText);
    FoldedRecords folded{parseRecords(file.text), {}, {}};
    for (const JournalEntry& entry : entries) {
        if (isFolded(file.folded, entry.id)) {
            folded.counted.push_back(entry.id);
        } else if (const std::optional<FinishedGame> game = parseJournalLine(entry.text)) {
            addGame(folded.table, *game);
            folded.counted.push_back(entry.id);
        } else {
            folded.unreadable.push_back(entry.id);
        }
    }
    return folded;
}

std::string serializeFolded(const FoldedRecords& folded) {
    return withFoldedLine(serializeRecords(folded.table), folded.counted);
}

}  // namespace tarnwick::storage
