#include "terminal/key_input.h"

#include <algorithm>

#include "console/console.h"
#include "terminal/arrow_keys.h"

namespace tarnwick {

namespace {

// Keys are read one byte at a time, so that those not taken yet wait in the terminal's own
// input queue; only while an answer to the width probe may come are they read in runs, so
// that the answer is seen whole.
constexpr std::size_t AnswerReadSize = 64;

// Whether the keys end in the beginning of an answer to the probe, which a read cut off.
bool endsInPartOfAnAnswer(std::string_view keys) {
    const std::size_t at = keys.rfind('\x1b');
    return at != std::string_view::npos && cursorReportIncomplete(keys.substr(at));
}

}  // namespace

void KeyInput::start(std::string keys, bool awaitingAnswer, Clock::time_point answerDeadline) {
    keys_ = std::move(keys);
    awaitingAnswer_ = awaitingAnswer;
    answerDeadline_ = answerDeadline;
}

std::size_t KeyInput::readSize() const {
    return awaitingAnswer_ ? AnswerReadSize : 1;
}

void KeyInput::readInto(KeyReader& reader, std::size_t most) {
    if (reader.read(keys_, most) == ReadResult::End) {
        ended_ = true;
    }
    takeLateAnswer(reader);
}

void KeyInput::takeLateAnswer(KeyReader& reader) {
    if (!awaitingAnswer_) {
        return;
    }
    if (reader.now() > answerDeadline_) {
        awaitingAnswer_ = false;
        return;
    }
    const auto report = findCursorReport(keys_);
    if (!report) {
        return;
    }
    keys_.erase(report->at, report->length);
    awaitingAnswer_ = false;
    reader.answered(widthFromColumn(report->column));
}

void KeyInput::completeKey(KeyReader& reader) {
    while (!ended_ && reader.ready()) {
        if (arrowKeyIncomplete(keys_)) {
            readInto(reader, std::max(ArrowKeyLength - keys_.size(), readSize()));
        } else if (awaitingAnswer_ && endsInPartOfAnAnswer(keys_)) {
            readInto(reader, readSize());  // an answer that one read cut in two
        } else {
            return;
        }
    }
}

int KeyInput::readKey(KeyReader& reader) {
    while (true) {
        // The keys read before the input ended are still the player's.
        while (keys_.empty()) {
            if (ended_) {
                throw EndOfInput{};
            }
            readInto(reader, readSize());
        }
        completeKey(reader);
        // A late answer to the width probe may have taken every byte there was.
        if (!keys_.empty()) {
            return takeKey(keys_);
        }
    }
}

bool KeyInput::keyWaiting(KeyReader& reader) {
    if (keys_.empty() && !ended_ && reader.ready()) {
        readInto(reader, readSize());
    }
    return ended_ || !keys_.empty();
}

}  // namespace tarnwick
