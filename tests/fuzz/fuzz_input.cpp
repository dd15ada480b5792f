#include "fuzz/fuzz_input.h"

#include <algorithm>

#include "menus/main_menu.h"

namespace tarnwick::fuzz {

namespace {

// Reads the bytes in order; a read past the end fails and leaves nothing half read.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    bool atEnd() const { return pos_ >= data_.size(); }
    std::uint8_t next() { return data_[pos_++]; }
    bool take(std::size_t count, std::uint32_t& value) {
        if (data_.size() - pos_ < count) {
            pos_ = data_.size();
            return false;
        }
        value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            value |= static_cast<std::uint32_t>(data_[pos_++]) << (8 * i);
        }
        return true;
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// A terminal size from its two bytes: 1..320 columns, 1..128 rows.
void decodeSize(std::uint32_t bytes, int& columns, int& rows) {
    const std::uint32_t low = bytes & 0xFF;
    const std::uint32_t high = bytes >> 8;
    columns = static_cast<int>(1 + low + 64 * (high & 1));
    rows = static_cast<int>(1 + (high >> 1));
}

// Decodes one record whose first byte has been read; false when the data ended inside it.
bool decodeRecord(std::uint8_t op, ByteReader& in, FuzzScript& script, std::int64_t& nowMs) {
    std::uint32_t value = 0;
    switch (op) {
        case OpWait:
            if (!in.take(1, value)) {
                return false;
            }
            nowMs = std::min(nowMs + WaitStepMs * value, MaxScriptMs);
            return true;
        case OpRandom:
            if (!in.take(4, value)) {
                return false;
            }
            script.randoms.push_back(static_cast<int>(value & 0x7FFF'FFFF));
            return true;
        case OpSmallRandom:
            if (!in.take(1, value)) {
                return false;
            }
            script.randoms.push_back(static_cast<int>(value));
            return true;
        case OpResize: {
            if (!in.take(2, value)) {
                return false;
            }
            FuzzResize resize{0, 0, nowMs};
            decodeSize(value, resize.columns, resize.rows);
            script.resizes.push_back(resize);
            return true;
        }
        case OpKey:
            if (!in.take(1, value)) {
                return false;
            }
            script.keys.push_back({static_cast<int>(value), nowMs});
            return true;
        default:
            script.keys.push_back({op, nowMs});
            return true;
    }
}

}  // namespace

FuzzScript decodeFuzzInput(std::span<const std::uint8_t> data) {
    FuzzScript script;
    constexpr std::size_t HeaderSize = 5;
    std::uint8_t header[HeaderSize] = {};
    const std::size_t headerBytes = std::min(data.size(), HeaderSize);
    std::copy_n(data.begin(), headerBytes, header);
    decodeSize(header[0] | header[1] << 8, script.columns, script.rows);
    script.seed = header[2] | header[3] << 8;
    script.ambiguousWide = (header[4] & 1) != 0;
    if ((header[4] & 2) != 0) {
        script.frames = TestConsole::Frames::AtEveryWait;
    } else if ((header[4] & 4) != 0) {
        script.frames = TestConsole::Frames::AtKeyReads;
    }
    ByteReader in(data.subspan(headerBytes));
    std::int64_t nowMs = 0;
    while (!in.atEnd()) {
        const std::uint8_t op = in.next();
        if (!decodeRecord(op, in, script, nowMs)) {
            break;
        }
    }
    return script;
}

void loadScript(const FuzzScript& script, TestConsole& console) {
    for (const FuzzKey& key : script.keys) {
        console.pushKey(key.key, key.dueMs);
    }
    console.pushRandoms(script.randoms);
    console.setRandomFallback(script.seed);
    for (const FuzzResize& resize : script.resizes) {
        console.scheduleResize(resize.columns, resize.rows, resize.atMs);
    }
    console.setAmbiguousWide(script.ambiguousWide);
    console.setFrames(script.frames);
    console.setIdleLimitMs(IdleLimitMs);
    console.setTimeLimitMs(TimeLimitMs);
}

int runFuzzInput(std::span<const std::uint8_t> data) {
    const FuzzScript script = decodeFuzzInput(data);
    TestConsole console(script.columns, script.rows);
    loadScript(script, console);
    return programEntry(console);
}

}  // namespace tarnwick::fuzz
