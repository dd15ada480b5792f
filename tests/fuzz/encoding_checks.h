// The property of the output encoder (terminal/output_encoding.h) that the fuzz target
// fuzz_encoding checks on any bytes, and that the normal tests replay on its findings' inputs.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::fuzz {

// Encodes the bytes, taken as UTF-8 (malformed or not), to GBK and to GB18030, decodes what
// came out with iconv the other way, and checks it against the input read strictly as UTF-8:
// each character comes back as itself or as the encoder's stand-in, one '?' per column it
// takes; each run of malformed bytes comes back as at least one '?' and at most one per byte;
// nothing else comes back. Returns what failed, or "".
std::string checkEncoding(std::string_view utf8);

}  // namespace tarnwick::fuzz
