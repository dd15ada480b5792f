#include "storage/file_read.h"

#include <algorithm>

namespace tarnwick::storage {

std::vector<JournalEntry> readJournal(const std::string& folder, const std::string& name) {
    std::vector<JournalEntry> entries;
    const std::string prefix = journalPrefix(name);
    for (const std::string& file : filesStartingWith(folder, prefix)) {
        if (const std::string id = file.substr(prefix.size()); journalTime(id) >= 0) {
            entries.push_back({id, ""});
        }
    }
    // An entry removed meanwhile has been folded into the file: it is read no more.
    std::erase_if(entries, [&](JournalEntry& entry) {
        FileRead read = readGameFile(folder + "/" + prefix + entry.id);
        entry.text = std::move(read.text);
        return read.outcome != ReadOutcome::Read;
    });
    std::sort(entries.begin(), entries.end(),
              [](const JournalEntry& a, const JournalEntry& b) { return a.id < b.id; });
    return entries;
}

}  // namespace tarnwick::storage
