// What a terminal sends for keys, decoded one byte at a time.
//
// A byte of its own is a key as it is. ESC starts a sequence, and each sequence is one key:
// CSI (ESC [) with any parameter and intermediate bytes up to its final byte, among them the
// mouse reports (X10: ESC [ M and three bytes; SGR: ESC [ < ... M or m), the focus reports
// and the Linux console's ESC [ [ A..E; SS3 (ESC O) up to its final byte; the strings OSC,
// DCS, APC, PM and SOS (ESC ] P _ ^ X) up to ST (ESC \) or BEL; ESC and any other byte (a key
// with Alt). The arrow keys, plain or with a modifier (ESC [ A, ESC O A, ESC [ 1 ; 5 A), are
// the movement keys w, s, d and a; a cursor position report (ESC [ row ; column R) and the
// answer about the left and right margins (ESC [ ? 69 ; Ps $ y) are told apart; every other
// sequence is one key without a meaning.
//
// A sequence never runs past LongestSequence bytes. A byte that cannot belong to the
// sequence under way ends it and is read on its own. The decoder never waits: whoever feeds
// it ends a sequence whose rest does not come (cutShort).
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace tarnwick {

enum class KeyKind {
    Byte,           // a byte that is a key of its own
    Arrow,          // an arrow key: `key` is its movement key
    Sequence,       // a sequence without a meaning
    CursorReport,   // ESC [ row ; column R
    MarginsReport,  // ESC [ ? 69 ; Ps $ y: `state` is Ps
};

struct DecodedKey {
    KeyKind kind = KeyKind::Byte;
    int key = 0;  // the byte, the movement key, or SequenceKey
    int row = 0;
    int column = 0;
    int state = 0;
};

// What a sequence without a meaning reaches the game as: a lone ESC, to which no screen answers.
inline constexpr int SequenceKey = 0x1b;
inline constexpr std::size_t LongestSequence = 1024;

// The keys that one byte completed: at most two (a sequence the byte ended, and the byte).
struct DecodedKeys {
    std::array<DecodedKey, 2> keys{};
    std::size_t count = 0;
    void add(const DecodedKey& key) { keys[count++] = key; }
    const DecodedKey* begin() const { return keys.data(); }
    const DecodedKey* end() const { return keys.data() + count; }
};

class KeyDecoder {
  public:
    DecodedKeys feed(unsigned char byte);
    // Whether a sequence is under way.
    bool midSequence() const { return state_ != State::Ground; }
    // The sequence under way, whose rest did not come, as one key without a meaning.
    DecodedKeys cutShort();

  private:
    enum class State { Ground, Escape, Csi, Ss3, String, StringEscape, Tail };

    void step(unsigned char byte, DecodedKeys& out);
    void begin(State state);
    // Ends the sequence as the key given, or as one without a meaning.
    void finish(DecodedKeys& out, const DecodedKey& key = {KeyKind::Sequence, SequenceKey});
    // The final byte of a CSI or SS3 sequence.
    void finishWith(unsigned char final, DecodedKeys& out);
    void keepParameter(unsigned char byte);

    State state_ = State::Ground;
    std::size_t length_ = 0;  // the bytes of the sequence so far
    std::size_t tail_ = 0;    // the bytes still to take whatever they are
    std::string parameters_;  // the first parameter bytes of a CSI or SS3 sequence
    char intermediate_ = 0;   // the intermediate byte of a CSI sequence, if one came
    bool plain_ = true;       // at most one intermediate byte, last, and every parameter kept
};

}  // namespace tarnwick
