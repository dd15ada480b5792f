#include "terminal/key_input.h"

namespace tarnwick {

void KeyInput::receive(std::string_view bytes, Clock::time_point now) {
    cutShortIfDue(now);
    for (const char byte : bytes) {
        add(decoder_.feed(static_cast<unsigned char>(byte)), now);
        lastByte_ = now;
    }
}

void KeyInput::end() {
    add(decoder_.cutShort(), lastByte_);
    ended_ = true;
}

std::optional<int> KeyInput::takeKey(Clock::time_point now) {
    cutShortIfDue(now);
    if (queue_.empty()) {
        return std::nullopt;
    }
    const int key = queue_.front();
    queue_.pop_front();
    return key;
}

bool KeyInput::keyWaiting(Clock::time_point now) {
    cutShortIfDue(now);
    return ended_ || !queue_.empty();
}

std::optional<KeyInput::Clock::time_point> KeyInput::sequenceDeadline() const {
    if (!decoder_.midSequence()) {
        return std::nullopt;
    }
    return lastByte_ + EscapeDelay;
}

std::optional<AmbiguousWidth> KeyInput::takeAnswer() {
    const auto answer = answer_;
    answer_.reset();
    return answer;
}

std::optional<bool> KeyInput::takeMarginsAnswer() {
    const auto answer = marginsAnswer_;
    marginsAnswer_.reset();
    return answer;
}

void KeyInput::cutShortIfDue(Clock::time_point now) {
    if (const auto deadline = sequenceDeadline(); deadline && now >= *deadline) {
        add(decoder_.cutShort(), now);
    }
}

void KeyInput::add(const DecodedKeys& keys, Clock::time_point now) {
    for (const DecodedKey& key : keys) {
        const bool awaited = answerUntil_ && now <= *answerUntil_;
        if (key.kind == KeyKind::CursorReport && awaited) {
            answer_ = widthFromColumn(key.column);
            answerUntil_.reset();
            marginsAwaited_ = false;  // its answer comes first, or not at all
        } else if (key.kind == KeyKind::MarginsReport && awaited && marginsAwaited_) {
            marginsAnswer_ = hasSideMargins(key.state);
            marginsAwaited_ = false;
        } else if (!full()) {
            queue_.push_back(key.key);
        }
    }
}

}  // namespace tarnwick
