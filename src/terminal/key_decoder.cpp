#include "terminal/key_decoder.h"

#include <initializer_list>
#include <optional>
#include <string_view>

namespace tarnwick {

namespace {

constexpr unsigned char Escape = 0x1b;
constexpr unsigned char Bell = 0x07;
// The parameters an arrow key or a cursor report can have; longer ones mean nothing.
constexpr std::size_t KeptParameters = 16;
// The numbers of a cursor report: a screen has no more than four digits of rows or columns.
constexpr std::size_t MostReportDigits = 4;

bool isParameter(unsigned char byte) {
    return byte >= 0x30 && byte <= 0x3f;
}

bool isIntermediate(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x2f;
}

bool isFinal(unsigned char byte) {
    return byte >= 0x40 && byte <= 0x7e;
}

// OSC, DCS, APC, PM and SOS: strings that run up to ST or BEL.
bool opensString(unsigned char byte) {
    return std::string_view("]P_^X").find(static_cast<char>(byte)) != std::string_view::npos;
}

// The arrows' final bytes and the game's movement keys: up w, down s, right d, left a.
constexpr std::string_view ArrowFinals = "ABCD";
constexpr std::string_view ArrowKeys = "wsda";

bool onlyDigitsAndSemicolons(std::string_view parameters) {
    return parameters.find_first_not_of("0123456789;") == std::string_view::npos;
}

// "row;column" with one to four digits each.
std::optional<DecodedKey> cursorReport(std::string_view parameters) {
    const std::size_t semicolon = parameters.find(';');
    if (semicolon == std::string_view::npos || !onlyDigitsAndSemicolons(parameters)) {
        return std::nullopt;
    }
    const std::string_view row = parameters.substr(0, semicolon);
    const std::string_view column = parameters.substr(semicolon + 1);
    for (const std::string_view number : {row, column}) {
        if (number.empty() || number.size() > MostReportDigits ||
            number.find(';') != std::string_view::npos) {
            return std::nullopt;
        }
    }
    DecodedKey key{KeyKind::CursorReport, SequenceKey};
    for (const char digit : row) {
        key.row = key.row * 10 + (digit - '0');
    }
    for (const char digit : column) {
        key.column = key.column * 10 + (digit - '0');
    }
    return key;
}

}  // namespace

DecodedKeys KeyDecoder::feed(unsigned char byte) {
    DecodedKeys out;
    step(byte, out);
    if (state_ != State::Ground && length_ >= LongestSequence) {
        finish(out);
    }
    return out;
}

DecodedKeys KeyDecoder::cutShort() {
    DecodedKeys out;
    if (state_ != State::Ground) {
        finish(out);
    }
    return out;
}

void KeyDecoder::begin(State state) {
    state_ = state;
    length_ = 1;
    tail_ = 0;
    parameters_.clear();
    plain_ = true;
}

void KeyDecoder::finish(DecodedKeys& out, const DecodedKey& key) {
    state_ = State::Ground;
    out.add(key);
}

void KeyDecoder::keepParameter(unsigned char byte) {
    if (parameters_.size() < KeptParameters) {
        parameters_ += static_cast<char>(byte);
    } else {
        plain_ = false;
    }
}

void KeyDecoder::finishWith(unsigned char final, DecodedKeys& out) {
    const std::size_t arrow = ArrowFinals.find(static_cast<char>(final));
    if (plain_ && arrow != std::string_view::npos && onlyDigitsAndSemicolons(parameters_)) {
        finish(out, {KeyKind::Arrow, ArrowKeys[arrow]});
        return;
    }
    if (plain_ && final == 'R' && state_ == State::Csi) {
        if (const auto report = cursorReport(parameters_)) {
            finish(out, *report);
            return;
        }
    }
    finish(out);
}

void KeyDecoder::step(unsigned char byte, DecodedKeys& out) {
    if (state_ == State::Ground) {
        if (byte == Escape) {
            begin(State::Escape);
        } else {
            out.add({KeyKind::Byte, byte});
        }
        return;
    }
    ++length_;
    switch (state_) {
        case State::Escape:
            if (byte == '[') {
                state_ = State::Csi;
            } else if (byte == 'O') {
                state_ = State::Ss3;
            } else if (opensString(byte)) {
                state_ = State::String;
            } else if (byte == Escape) {
                finish(out);  // a lone ESC, and the start of the next sequence
                begin(State::Escape);
            } else {
                finish(out);  // a key with Alt
            }
            return;
        case State::Csi:
            if (length_ == 3 && (byte == 'M' || byte == '[')) {
                // An X10 mouse report's three bytes, or the Linux console's function key.
                state_ = State::Tail;
                tail_ = byte == 'M' ? 3 : 1;
                return;
            }
            if (isIntermediate(byte)) {
                plain_ = false;
                return;
            }
            [[fallthrough]];
        case State::Ss3:
            if (isParameter(byte)) {
                keepParameter(byte);
            } else if (isFinal(byte)) {
                finishWith(byte, out);
            } else {
                finish(out);  // a byte that cannot belong to it: read on its own
                step(byte, out);
            }
            return;
        case State::String:
            if (byte == Bell) {
                finish(out);
            } else if (byte == Escape) {
                state_ = State::StringEscape;
            }
            return;
        case State::StringEscape:
            if (byte == '\\') {
                finish(out);
                return;
            }
            // The string ended before the ESC, which starts the next sequence.
            finish(out);
            begin(State::Escape);
            step(byte, out);
            return;
        case State::Tail:
            if (--tail_ == 0) {
                finish(out);
            }
            return;
        case State::Ground:
            return;
    }
}

}  // namespace tarnwick
