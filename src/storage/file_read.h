// Reads one of the game's files whole, with the outcome told apart. A file is read only when
// it is a regular file of at most MaxFileBytes bytes: the open never blocks, also on a FIFO or
// a device in the file's place, and such a file counts as unreadable. The text comes plain
// (text_form.h), with the file's form beside it for the rewrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/messages.h"
#include "storage/journal.h"
#include "storage/text_check.h"
#include "storage/text_form.h"

namespace tarnwick::storage {

// The largest file the game reads, or writes.
inline constexpr std::size_t MaxFileBytes = 64 * 1024;

enum class ReadOutcome {
    Missing,     // no file there (not an error: the game has not saved yet)
    Unreadable,  // not a regular file, or the system refused to read it
    TooLarge,    // over MaxFileBytes
    NotText,     // control bytes other than tab, line feed and carriage return
    Read,        // `text` holds the whole file
};

struct FileRead {
    ReadOutcome outcome = ReadOutcome::Missing;
    std::string text;
    Message note;  // why the file was not read; empty when read or missing
    TextForm form;
    std::int64_t changedNs = 0;  // when the file was last changed, in ns since 1970
};

FileRead readGameFile(const std::string& path);

// The names of the files in the folder that begin with the prefix, in no order.
std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix);

// The entries of the journal of folder/name (journal.h) that are whole text, by ID.
std::vector<JournalEntry> readJournal(const std::string& folder, const std::string& name);

}  // namespace tarnwick::storage
