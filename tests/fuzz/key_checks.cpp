#include "fuzz/key_checks.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "console/console.h"
#include "terminal/key_input.h"
#include "terminal/width_probe.h"

namespace tarnwick::fuzz {

namespace {

using Clock = KeyReader::Clock;

constexpr std::size_t ProbeReadSize = 64;
constexpr auto AnswerWindow = std::chrono::seconds(3);

struct Burst {
    std::string bytes;
    int phase = 0;  // 0 during the probe, 1 in the late answer's window, 2 after it
    bool polls = false;
};

std::vector<Burst> readBursts(std::span<const std::uint8_t> data) {
    std::vector<Burst> bursts;
    int phase = 0;
    for (std::size_t pos = 0; pos + 1 < data.size();) {
        const int header = data[pos];
        const std::size_t length = std::min<std::size_t>(data[pos + 1], data.size() - pos - 2);
        phase = std::max(phase, std::min(header >> 6, 2));
        const auto* start = reinterpret_cast<const char*>(data.data()) + pos + 2;
        bursts.push_back({std::string(start, length), phase, (header & 0x20) != 0});
        pos += 2 + length;
    }
    return bursts;
}

// The terminal's input: a burst comes when the game waits for bytes with none left, or pauses.
// Every byte is marked with the group it came in: the bursts that came while the probe waited
// form one group (all of them were there before the game took a key), each later burst its own.
class Input : public KeyReader {
  public:
    explicit Input(const std::vector<Burst>& bursts) : bursts_(bursts) {}

    bool ready() override { return !queue_.empty() || next_ == bursts_.size(); }
    ReadResult read(std::string& keys, std::size_t most) override {
        if (queue_.empty() && !arrive()) {
            return ReadResult::End;
        }
        return take(keys, most);
    }
    Clock::time_point now() override {
        return Clock::time_point{} + (phase_ >= 2 ? 2 * AnswerWindow : AnswerWindow / 2);
    }
    void answered(AmbiguousWidth) override { ++lateAnswers_; }

    // The probe's read: only the bursts that come while it waits.
    ProbeRead probeRead(std::string& bytes) {
        if (queue_.empty() && (next_ == bursts_.size() || bursts_[next_].phase > 0)) {
            return next_ == bursts_.size() ? ProbeRead::End : ProbeRead::Timeout;
        }
        if (queue_.empty()) {
            arrive();
        }
        take(bytes, ProbeReadSize);
        return ProbeRead::Bytes;
    }
    void probeEnded() { probing_ = false; }
    // The next burst comes (the game paused); false when there is none.
    bool arrive() {
        if (next_ == bursts_.size()) {
            return false;
        }
        const Burst& burst = bursts_[next_++];
        queue_ += burst.bytes;
        phase_ = burst.phase;
        polls_ = burst.polls;
        group_ = probing_ ? 0 : group_ + 1;
        groups_.insert(groups_.end(), burst.bytes.size(), group_);
        phases_.insert(phases_.end(), burst.bytes.size(), phase_);
        return true;
    }
    bool polls() const { return polls_; }
    int lateAnswers() const { return lateAnswers_; }
    const std::vector<int>& groups() const { return groups_; }
    const std::vector<int>& phases() const { return phases_; }

  private:
    ReadResult take(std::string& keys, std::size_t most) {
        const std::size_t count = std::min(most, queue_.size());
        keys += queue_.substr(0, count);
        queue_.erase(0, count);
        return ReadResult::Keys;
    }

    const std::vector<Burst>& bursts_;
    std::size_t next_ = 0;
    std::string queue_;  // bytes that came and were not read yet
    int phase_ = 0;
    bool polls_ = false;
    bool probing_ = true;
    int group_ = 0;
    std::vector<int> groups_;
    std::vector<int> phases_;
    int lateAnswers_ = 0;
};

bool digits(const std::string& s, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < s.size() && pos - start < 4 && s[pos] >= '0' && s[pos] <= '9') {
        ++pos;
    }
    return pos > start;
}

// The length of the answer about the margins "ESC [ ? 69 ; Ps $ y" at `at`, or 0.
std::size_t marginsAnswerAt(const std::string& s, std::size_t at) {
    std::size_t pos = at + 6;
    const bool whole =
        s.compare(at, 6, "\x1b[?69;") == 0 && digits(s, pos) && s.compare(pos, 2, "$y") == 0;
    return whole ? pos + 2 - at : 0;
}

// The length of the cursor report "ESC [ row ; column R" (1 to 4 digits each) at `at`, with
// the answer about the margins just before it if that came, or 0.
std::size_t reportAt(const std::string& s, std::size_t at) {
    std::size_t pos = at + marginsAnswerAt(s, at);
    const bool whole = s.compare(pos, 2, "\x1b[") == 0 && digits(s, pos += 2) && pos < s.size() &&
                       s[pos++] == ';' && digits(s, pos) && pos < s.size() && s[pos] == 'R';
    return whole ? pos + 1 - at : 0;
}

bool oneGroup(const std::vector<int>& groups, std::size_t at, std::size_t length) {
    return std::all_of(groups.begin() + static_cast<std::ptrdiff_t>(at),
                       groups.begin() + static_cast<std::ptrdiff_t>(at + length),
                       [&](int g) { return g == groups[at]; });
}

struct Expected {
    std::vector<int> keys;
    bool probeAnswered = false;
    int lateAnswers = 0;
};

// The first answer that came whole while it was awaited, with the position and length.
std::optional<std::pair<std::size_t, std::size_t>> expectedAnswer(const std::string& stream,
                                                                  const Input& input) {
    for (std::size_t at = 0; at < stream.size(); ++at) {
        const std::size_t length = reportAt(stream, at);
        if (length > 0 && oneGroup(input.groups(), at, length) &&
            input.phases()[at + length - 1] <= 1) {
            return std::pair{at, length};
        }
    }
    return std::nullopt;
}

Expected expect(std::string stream, const Input& input) {
    Expected out;
    std::vector<int> groups = input.groups();
    if (const auto answer = expectedAnswer(stream, input)) {
        out.probeAnswered = groups[answer->first] == 0;
        out.lateAnswers = out.probeAnswered ? 0 : 1;
        stream.erase(answer->first, answer->second);
        groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(answer->first),
                     groups.begin() + static_cast<std::ptrdiff_t>(answer->first + answer->second));
    }
    constexpr std::string_view Finals = "ABCD";
    constexpr std::string_view Moves = "wsda";
    for (std::size_t p = 0; p < stream.size();) {
        const std::size_t final = p + 2 < stream.size() ? Finals.find(stream[p + 2]) : Finals.npos;
        if (final != Finals.npos && stream[p] == '\x1b' &&
            (stream[p + 1] == '[' || stream[p + 1] == 'O') && oneGroup(groups, p, 3)) {
            out.keys.push_back(Moves[final]);
            p += 3;
        } else {
            out.keys.push_back(static_cast<unsigned char>(stream[p++]));
        }
    }
    return out;
}

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
    Input input(bursts);
    ProbeResult probe = probeAmbiguousWidth(
        [](std::string_view) {},
        [&](std::string& bytes, std::chrono::milliseconds) { return input.probeRead(bytes); },
        std::chrono::milliseconds(200));
    input.probeEnded();
    KeyInput keys;
    keys.start(std::move(probe.keys), !probe.answered, Clock::time_point{} + AnswerWindow);
    std::vector<int> got;
    try {
        while (true) {
            if (input.polls() && !keys.keyWaiting(input)) {
                input.arrive();  // a pause of the game, in which the next burst comes
                continue;
            }
            got.push_back(keys.readKey(input));
        }
    } catch (const EndOfInput&) {
    }
    std::string stream;
    for (const Burst& burst : bursts) {
        stream += burst.bytes;
    }
    const Expected expected = expect(stream, input);
    std::string out;
    if (got != expected.keys) {
        out += "keys " + describe(got) + "expected " + describe(expected.keys);
    }
    if (probe.answered != expected.probeAnswered || input.lateAnswers() != expected.lateAnswers) {
        out += "answers taken: probe " + std::to_string(probe.answered) + ", late " +
               std::to_string(input.lateAnswers()) + "; expected " +
               std::to_string(expected.probeAnswered) + ", " +
               std::to_string(expected.lateAnswers) + "\n";
    }
    return out;
}

}  // namespace tarnwick::fuzz
