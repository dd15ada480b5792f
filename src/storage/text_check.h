// What counts as a text file for the game's files.
#pragma once

#include <string_view>

namespace tarnwick::storage {

// True when the bytes hold no control characters but tab, line feed and carriage return.
// Bytes from 0x80 up pass, so that a comment in any encoding a person used is text.
bool isText(std::string_view bytes);

}  // namespace tarnwick::storage
