// The properties of the two file formats that the fuzz target fuzz_storage checks on any
// bytes, and that the normal tests replay on the inputs of its findings.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::storage {

// Reads the bytes as a settings file and as a records file and checks that
// - a settings rewrite (every name set, one of them changed) keeps every line that was not a
//   line of the table's names, adds only the names the file lacked, reads back as the values
//   written, and comes out the same when rewritten again;
// - records parse -> serialize -> parse keeps the records and the unreadable lines, the
//   second serialization equals the first, and a game added reads back counted;
// - read as a records file and its journal (the pieces between form feeds: the file, then one
//   entry each), every entry that is a game is counted once: the file written with the
//   journal folded in counts the same, alone or with the entries still there;
// - a text's byte-order mark and line ends come back as they were read.
// Returns what failed, or an empty string.
std::string checkFormats(std::string_view bytes);

}  // namespace tarnwick::storage
