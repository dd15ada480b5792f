#include "terminal/key_decoder.h"

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

// The value of a report's number: one to four digits.
std::optional<int> reportNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > MostReportDigits ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

// "row;column".
std::optional<DecodedKey> cursorReport(std::string_view parameters) {
    const std::size_t semicolon = parameters.find(';');
    if (semicolon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto row = reportNumber(parameters.substr(0, semicolon));
    const auto column = reportNumber(parameters.substr(semicolon + 1));
    if (!row || !column) {
        return std::nullopt;
    }
    DecodedKey key{KeyKind::CursorReport, SequenceKey};
    key.row = *row;
    key.column = *column;
    return key;
}

// "?69;Ps": the state of the margins' mode.
std::optional<DecodedKey> marginsReport(std::string_view parameters) {
    constexpr std::string_view Mode = "?69;";
    const auto state =
        parameters.starts_with(Mode) ? reportNumber(parameters.substr(Mode.size())) : std::nullopt;
    if (!state) {
        return std::nullopt;
    }
    DecodedKey key{KeyKind::MarginsReport, SequenceKey};
    key.state = *state;
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
    intermediate_ = 0;
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
    const bool bare = plain_ && intermediate_ == 0;
    std::optional<DecodedKey> key;
    if (bare && arrow != std::string_view::npos && onlyDigitsAndSemicolons(parameters_)) {
        key = DecodedKey{KeyKind::Arrow, ArrowKeys[arrow]};
    } else if (bare && final == 'R' && state_ == State::Csi) {
        key = cursorReport(parameters_);
    } else if (plain_ && intermediate_ == '$' && final == 'y') {
        key = marginsReport(parameters_);
    }
    if (key) {
        finish(out, *key);
    } else {
        finish(out);
    }
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
                plain_ = plain_ && intermediate_ == 0;
                intermediate_ = static_cast<char>(byte);
                return;
            }
            if (intermediate_ != 0 && !isFinal(byte)) {
                plain_ = false;  // a parameter after the intermediate byte
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
