// Reads one of the game's files whole, with the outcome told apart. A file is read only when
// it is a regular file of at most MaxFileBytes bytes: the open never blocks, also on a FIFO or
// a device in the file's place, and such a file counts as unreadable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "console/messages.h"

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
};

// True when the bytes hold no control characters but tab, line feed and carriage return.
// Bytes from 0x80 up pass, so that a comment in any encoding a person used is text.
bool isText(std::string_view bytes);

FileRead readGameFile(const std::string& path);

}  // namespace tarnwick::storage
