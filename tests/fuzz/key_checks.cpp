#include "fuzz/key_checks.h"

#include <algorithm>
#include <optional>
#include <regex>
#include <vector>

#include "terminal/key_input.h"

namespace tarnwick::fuzz {

namespace {

using Clock = KeyInput::Clock;

constexpr int GapsMs[] = {10, 20, 60, 2000};
constexpr int TakeAll = 63;
constexpr int AnswerAwaitedMs = 3200;
constexpr std::size_t QueueBound = 16;
constexpr unsigned char Esc = 0x1b;
// Marks an SS3 sequence where a CSI sequence has its intermediate byte: 'O' is none (0x20-0x2f).
constexpr char Ss3 = 'O';

struct Burst {
    std::string bytes;
    int gapMs = 0;
    int takes = 0;
};

std::vector<Burst> readBursts(std::span<const std::uint8_t> data) {
    std::vector<Burst> bursts;
    for (std::size_t pos = 0; pos + 1 < data.size();) {
        const std::size_t length = std::min<std::size_t>(data[pos + 1], data.size() - pos - 2);
        const auto* start = reinterpret_cast<const char*>(data.data()) + pos + 2;
        if (length > 0) {  // bytes come, or nothing happens
            bursts.push_back({std::string(start, length), GapsMs[data[pos] >> 6], data[pos] & 63});
        }
        pos += 2 + length;
    }
    return bursts;
}

Clock::time_point at(int ms) {
    return Clock::time_point{} + std::chrono::milliseconds(ms);
}

// A key of the whole input read at once: `decided` is the position in the input once which
// had come the key was whole (past the end: only at the end of input).
struct ModelKey {
    int key = SequenceKey;
    std::size_t decided = 0;
    std::optional<int> reportColumn;
    std::optional<int> marginsState;
};

class Model {
  public:
    Model(std::string_view input, std::vector<bool> pauseBefore, bool pauseAtEnd)
        : s_(input), pauseBefore_(std::move(pauseBefore)), pauseAtEnd_(pauseAtEnd) {}

    std::vector<ModelKey> keys() {
        std::vector<ModelKey> out;
        for (std::size_t p = 0; p < s_.size();) {
            if (static_cast<unsigned char>(s_[p]) != Esc) {
                out.push_back(
                    {static_cast<unsigned char>(s_[p]), p + 1, std::nullopt, std::nullopt});
                ++p;
                continue;
            }
            start_ = p;
            out.push_back(sequence());
            p = next_;
        }
        return out;
    }

  private:
    // Whether the byte at q still belongs to the sequence that started at start_.
    bool comes(std::size_t q) const {
        return q < s_.size() && !pauseBefore_[q] && q - start_ < LongestSequence;
    }
    // The sequence ends before the byte at `next`, decided once `decided` had come.
    ModelKey ends(std::size_t next, std::size_t decided, int key = SequenceKey) {
        next_ = next;
        return {key, decided, std::nullopt, std::nullopt};
    }
    // The sequence stopped before the byte at q: it ran to its length, or its rest did not
    // come before a pause or the end.
    ModelKey stops(std::size_t q) {
        const bool atEnd = q - start_ < LongestSequence && q == s_.size() && !pauseAtEnd_;
        return ends(q, atEnd ? q + 1 : q);
    }
    unsigned char at(std::size_t q) const { return static_cast<unsigned char>(s_[q]); }

    ModelKey sequence() {
        const std::size_t q = start_ + 1;
        if (!comes(q)) {
            return stops(q);
        }
        if (at(q) == Esc) {
            return ends(q, q + 1);
        }
        if (at(q) == '[' || at(q) == 'O') {
            return controlSequence(q + 1, at(q) == '[');
        }
        if (std::string_view("]P_^X").find(s_[q]) != std::string_view::npos) {
            return string(q + 1);
        }
        return ends(q + 1, q + 1);  // a key with Alt
    }

    ModelKey controlSequence(std::size_t q, bool csi) {
        if (csi && comes(q) && (at(q) == 'M' || at(q) == '[')) {
            const std::size_t last = q + (at(q) == 'M' ? 3 : 1);
            for (++q; q <= last; ++q) {
                if (!comes(q)) {
                    return stops(q);
                }
            }
            return ends(q, q);
        }
        std::string parameters;
        char intermediate = 0;
        bool plain = true;
        for (;; ++q) {
            if (!comes(q)) {
                return stops(q);
            }
            const unsigned char c = at(q);
            if (c >= 0x30 && c <= 0x3f) {
                plain = plain && parameters.size() < 16 && intermediate == 0;
                parameters += static_cast<char>(c);
            } else if (csi && c >= 0x20 && c <= 0x2f) {
                plain = plain && intermediate == 0;
                intermediate = static_cast<char>(c);
            } else if (c >= 0x40 && c <= 0x7e) {
                return classify(q + 1, c, plain ? parameters : "-", csi ? intermediate : Ss3);
            } else {
                return ends(q, q + 1);  // read on its own
            }
        }
    }

    // A sequence's meaning from its final byte, its parameters ("-": not plain) and its
    // intermediate byte (0: none; Ss3: an SS3 sequence, which has none).
    ModelKey classify(std::size_t next, unsigned char final, const std::string& parameters,
                      char intermediate) {
        static const std::regex Moves("[0-9;]*");
        static const std::regex Report("([0-9]{1,4});([0-9]{1,4})");
        static const std::regex Margins("\\?69;([0-9]{1,4})");
        ModelKey key = ends(next, next);
        std::smatch match;
        const bool bare = intermediate == 0 || intermediate == Ss3;
        if (bare && final >= 'A' && final <= 'D' && std::regex_match(parameters, Moves)) {
            key.key = "wsda"[final - 'A'];
        } else if (intermediate == 0 && final == 'R' &&
                   std::regex_match(parameters, match, Report)) {
            key.reportColumn = std::stoi(match[2]);
        } else if (intermediate == '$' && final == 'y' &&
                   std::regex_match(parameters, match, Margins)) {
            key.marginsState = std::stoi(match[1]);
        }
        return key;
    }

    ModelKey string(std::size_t q) {
        for (;; ++q) {
            if (!comes(q)) {
                return stops(q);
            }
            if (s_[q] == '\a') {
                return ends(q + 1, q + 1);
            }
            if (at(q) == Esc) {
                if (!comes(q + 1)) {
                    return stops(q + 1);
                }
                // ST ends it; any other ESC ends it before and starts the next sequence.
                return s_[q + 1] == '\\' ? ends(q + 2, q + 2) : ends(q, q + 2);
            }
        }
    }

    std::string_view s_;
    std::vector<bool> pauseBefore_;
    bool pauseAtEnd_;
    std::size_t start_ = 0;
    std::size_t next_ = 0;
};

std::string describe(const std::vector<int>& keys) {
    std::string out;
    for (const int key : keys) {
        out += std::to_string(key) + " ";
    }
    return out + "\n";
}

}  // namespace

std::string checkKeys(std::span<const std::uint8_t> data) {
    const std::vector<Burst> bursts = readBursts(data);
    KeyInput input(QueueBound);
    input.awaitAnswer(at(AnswerAwaitedMs));
    std::vector<int> got;
    std::vector<AmbiguousWidth> answers;
    std::vector<bool> margins;
    const auto take = [&](int most, int ms) {
        for (int i = 0; i < most; ++i) {
            const auto key = input.takeKey(at(ms));
            if (!key) {
                return;
            }
            got.push_back(*key);
        }
    };
    int ms = 0;
    for (const Burst& burst : bursts) {
        input.receive(burst.bytes, at(ms));
        if (const auto answer = input.takeAnswer()) {
            answers.push_back(*answer);
        }
        if (const auto answer = input.takeMarginsAnswer()) {
            margins.push_back(*answer);
        }
        ms += burst.gapMs;
        take(burst.takes == TakeAll ? 1 << 20 : burst.takes, ms - 1);
    }
    input.end();
    take(1 << 20, ms);

    // The same input read whole: its keys in the queue as they came and went.
    std::string stream;
    std::vector<bool> pauseBefore;
    for (const Burst& burst : bursts) {
        stream += burst.bytes;
        pauseBefore.resize(stream.size(), false);
        pauseBefore.push_back(burst.gapMs > EscapeDelay.count());
    }
    pauseBefore.resize(stream.size());
    const bool pauseAtEnd = !bursts.empty() && bursts.back().gapMs > EscapeDelay.count();
    const std::vector<ModelKey> keys = Model(stream, pauseBefore, pauseAtEnd).keys();
    std::vector<int> expected;
    std::vector<AmbiguousWidth> expectedAnswers;
    std::vector<bool> expectedMargins;
    std::size_t queued = 0;
    std::size_t next = 0;
    const auto admit = [&](std::size_t upTo, int now) {
        for (; next < keys.size() && keys[next].decided <= upTo; ++next) {
            const bool awaited = now <= AnswerAwaitedMs && expectedAnswers.empty();
            if (keys[next].reportColumn && awaited) {
                expectedAnswers.push_back(widthFromColumn(*keys[next].reportColumn));
            } else if (keys[next].marginsState && awaited && expectedMargins.empty()) {
                expectedMargins.push_back(hasSideMargins(*keys[next].marginsState));
            } else if (queued < QueueBound) {
                expected.push_back(keys[next].key);
                ++queued;
            }
        }
    };
    std::size_t end = 0;
    ms = 0;
    for (const Burst& burst : bursts) {
        end += burst.bytes.size();
        admit(end, ms);
        ms += burst.gapMs;
        queued -= std::min<std::size_t>(queued, burst.takes == TakeAll ? queued : burst.takes);
    }
    admit(stream.size() + 1, ms);

    std::string out;
    if (got != expected) {
        out += "keys " + describe(got) + "expected " + describe(expected);
    }
    if (margins != expectedMargins) {
        out += "margins answers taken " + std::to_string(margins.size()) + ", expected " +
               std::to_string(expectedMargins.size()) + "\n";
    }
    if (answers != expectedAnswers) {
        out += "answers taken " + std::to_string(answers.size()) + ", expected " +
               std::to_string(expectedAnswers.size()) + "\n";
    }
    return out;
}

}  // namespace tarnwick::fuzz
