#include "storm_source.h"

#include <array>
#include <string_view>

namespace tarnwick::e2e {

namespace {

constexpr std::string_view GameKeys = "wasdjkp123456789";

// What terminals send for keys, the mouse and pastes, a late cursor report, and a few
// sequences no key sends.
constexpr std::array<std::string_view, 20> Sequences{{
    "\x1b[A",
    "\x1b[B",
    "\x1b[C",
    "\x1b[D",
    "\x1bOP",
    "\x1bOS",
    "\x1b[1;5C",
    "\x1b[3~",
    "\x1b[15~",
    "\x1b[24;2~",
    "\x1b[200~ws\x1b[201~",
    "\x1b[M !!",
    "\x1b[<35;12;7M",
    "\x1b[1;3R",
    "\x1b]0;x\a",
    "\x1b",
    "\x1b\x1b",
    "\x1b[?1049h",
    "\x1bP+q\x1b\\",
    "\x1b[6n",
}};

bool sendsASignal(unsigned char byte) {
    return byte == 0x03 || byte == 0x1a || byte == 0x1c;  // Ctrl-C, Ctrl-Z, Ctrl-backslash
}

}  // namespace

std::string StormSource::gameKeys() {
    std::string out;
    for (int i = 1 + below(8); i > 0; --i) {
        out += GameKeys[static_cast<std::size_t>(below(GameKeys.size()))];
    }
    return out;
}

std::string StormSource::printable() {
    std::string out;
    for (int i = 1 + below(6); i > 0; --i) {
        out += static_cast<char>(0x20 + below(0x5f));
    }
    return out;
}

std::string StormSource::escapeSequence() {
    if (below(4) != 0) {
        return std::string(Sequences[static_cast<std::size_t>(below(Sequences.size()))]);
    }
    // A control sequence of random parameters and final byte.
    std::string out = "\x1b[";
    for (int i = below(6); i > 0; --i) {
        out += "0123456789;?"[below(12)];
    }
    return out + static_cast<char>(0x40 + below(0x3f));
}

std::string StormSource::controls() {
    std::string out;
    for (int i = 1 + below(4); i > 0; --i) {
        const int byte = below(0x21);
        out += static_cast<char>(byte == 0x20 ? 0x7f : byte);
    }
    return out;
}

std::string StormSource::highBytes() {
    std::string out;
    for (int i = 1 + below(6); i > 0; --i) {
        out += static_cast<char>(0x80 + below(0x80));
    }
    return out;
}

std::string StormSource::chunk() {
    using Make = std::string (StormSource::*)();
    struct Kind {
        int weight;
        Make make;
    };
    static constexpr std::array<Kind, 5> Kinds{{
        {40, &StormSource::gameKeys},
        {15, &StormSource::printable},
        {15, &StormSource::escapeSequence},
        {15, &StormSource::controls},
        {15, &StormSource::highBytes},
    }};
    std::string raw;
    for (int pieces = 1 + below(4); pieces > 0; --pieces) {
        int pick = below(100);
        for (const Kind& kind : Kinds) {
            if (pick < kind.weight) {
                raw += (this->*kind.make)();
                break;
            }
            pick -= kind.weight;
        }
    }
    std::string out;
    for (const char c : raw) {
        const bool left =
            c == '0' || (c == '4' && !allowAbout_) || sendsASignal(static_cast<unsigned char>(c));
        if (!left) {
            out += c;
        }
    }
    return out;
}

}  // namespace tarnwick::e2e
