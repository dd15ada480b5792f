#include "fuzz/encoding_checks.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <vector>

#include "console/screen.h"
#include "terminal/output_encoding.h"

namespace tarnwick::fuzz {

namespace {

constexpr char32_t Malformed = 0xFFFFFFFF;  // a run of bytes that is not UTF-8

// One character of the input read strictly (shortest forms, no surrogates, at most U+10FFFF),
// or a run of malformed bytes with its length.
struct Piece {
    char32_t ch = 0;
    std::size_t bytes = 1;
};

// The length of the well-formed UTF-8 sequence at `pos` (0 when there is none) and its value.
std::size_t wellFormed(std::string_view text, std::size_t pos, char32_t& ch) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned lead = byte(0);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || pos + length > text.size()) {
        return 0;
    }
    ch = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        ch = ch << 6 | (byte(i) & 0x3F);
    }
    constexpr std::array<char32_t, 5> Least{0, 0, 0x80, 0x800, 0x10000};
    const bool valid = ch >= Least[length] && ch <= 0x10FFFF && !(ch >= 0xD800 && ch <= 0xDFFF);
    return valid ? length : 0;
}

std::vector<Piece> readStrictly(std::string_view text) {
    std::vector<Piece> pieces;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t ch = 0;
        const std::size_t length = wellFormed(text, pos, ch);
        if (length > 0) {
            pieces.push_back({ch, length});
            pos += length;
        } else if (!pieces.empty() && pieces.back().ch == Malformed) {
            ++pieces.back().bytes;
            ++pos;
        } else {
            pieces.push_back({Malformed, 1});
            ++pos;
        }
    }
    return pieces;
}

// Decodes the encoder's output back with iconv; false when it is not valid in the set.
bool decodeBack(const char* set, const std::string& bytes, std::u32string& out) {
    const iconv_t handle = iconv_open("UTF-32LE", set);
    if (handle == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string wide(bytes.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* to = wide.data();
    std::size_t toLeft = wide.size();
    const bool ok = iconv(handle, &in, &inLeft, &to, &toLeft) != static_cast<std::size_t>(-1);
    iconv_close(handle);
    out.clear();
    for (std::size_t i = 0; i + 4 <= wide.size() - toLeft; i += 4) {
        const auto b = [&](std::size_t k) {
            return static_cast<char32_t>(static_cast<unsigned char>(wide[i + k]));
        };
        out.push_back(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
    }
    return ok;
}

// The decoded output, with the number of stand-ins '?' that stand from each place on.
struct Decoded {
    std::u32string text;
    std::vector<std::size_t> standInsFrom;
    explicit Decoded(std::u32string decoded)
        : text(std::move(decoded)), standInsFrom(text.size() + 1) {
        for (std::size_t i = text.size(); i-- > 0;) {
            standInsFrom[i] = text[i] == U'?' ? standInsFrom[i + 1] + 1 : 0;
        }
    }
};

// Appends the positions of the decoded output where the piece may end when it starts at `at`:
// itself, or its stand-ins (one '?' per column of a character, 1 to one per byte of a
// malformed run). Called for ascending starts, it keeps the ends ascending and each once: a
// character's ends (at + 1, at + its width of 1 or 2) reach no further than the next start's
// first end, and a malformed run's ends are a range that starts after the last one appended.
void piecePositions(const Piece& piece, const Decoded& back, std::size_t at,
                    std::vector<std::size_t>& ends) {
    const std::size_t standIns = back.standInsFrom[at];
    if (piece.ch == Malformed) {
        const std::size_t from = ends.empty() ? at + 1 : std::max(at + 1, ends.back() + 1);
        for (std::size_t end = from; end <= at + std::min(piece.bytes, standIns); ++end) {
            ends.push_back(end);
        }
        return;
    }
    const auto push = [&ends](std::size_t end) {
        if (ends.empty() || ends.back() != end) {
            ends.push_back(end);
        }
    };
    if (at < back.text.size() && back.text[at] == piece.ch) {
        push(at + 1);
    }
    const auto width = static_cast<std::size_t>(codePointWidth(piece.ch));
    if (standIns >= width) {
        push(at + width);
    }
}

std::string check(const char* set, OutputEncoding& encoding, std::string_view utf8) {
    if (!encoding.converts()) {
        return std::string("no converter for ") + set + "\n";
    }
    std::u32string decoded;
    if (!decodeBack(set, encoding.encode(utf8), decoded)) {
        return std::string("the output is not valid ") + set + "\n";
    }
    const Decoded back(std::move(decoded));
    // Where the decoded output may stand after each piece of the input, ascending: the count of
    // stand-ins for a malformed run is open, so there may be several places.
    std::vector<std::size_t> positions{0};
    std::size_t inputAt = 0;
    for (const Piece& piece : readStrictly(utf8)) {
        std::vector<std::size_t> next;
        for (const std::size_t at : positions) {
            piecePositions(piece, back, at, next);
        }
        if (next.empty()) {
            return std::string(set) + ": input byte " + std::to_string(inputAt) +
                   " comes back as another character\n";
        }
        positions = std::move(next);
        inputAt += piece.bytes;
    }
    if (std::find(positions.begin(), positions.end(), back.text.size()) == positions.end()) {
        return std::string(set) + ": more characters come back than went in\n";
    }
    return "";
}

}  // namespace

std::string checkEncoding(std::string_view utf8) {
    // Opened once, as the game opens its encoder once for all its frames.
    static OutputEncoding gbk("GBK");
    static OutputEncoding gb18030("GB18030");
    return check("GBK", gbk, utf8) + check("GB18030", gb18030, utf8);
}

}  // namespace tarnwick::fuzz
