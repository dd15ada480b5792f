// Asks the terminal how wide it draws the ambiguous characters (ambiguous_width.h).
//
// The probe prints one full block at the home position and asks for the cursor position
// (CSI 6n). The answer "ESC [ row ; column R" says where the block ended: column 2 means
// one column wide, column 3 two. A terminal that does not answer in time is taken to draw
// them narrow. Keys typed meanwhile are kept for the game.
//
// Before the block it asks whether the terminal has left and right margins (DECRQM for the
// mode DECLRMM, 69). A terminal that knows the question answers "ESC [ ? 69 ; Ps $ y" before
// the cursor position, and the two answers are taken as one; Ps 1, 2 or 3 means it has them.
// A terminal that does not know it ignores the question, or prints a stray byte where the
// cursor stood, which the block's move home leaves behind.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

enum class AmbiguousWidth { Unknown, Narrow, Wide };

// A cursor position report found in a run of input bytes.
struct CursorReport {
    std::size_t at = 0;
    std::size_t length = 0;
    int row = 0;
    int column = 0;
    bool sideMargins = false;  // the answer about the margins came just before, and said yes
};

// The first complete report "ESC [ digits ; digits R" in the bytes, if any, together with
// the answer about the margins just before it.
std::optional<CursorReport> findCursorReport(std::string_view bytes);
// Whether the bytes, all of them, are the beginning of a report shorter than the whole (or
// of the answer about the margins, or all of that answer, the report still to come).
bool cursorReportIncomplete(std::string_view bytes);
// What a report's column says about a block printed at column 1.
AmbiguousWidth widthFromColumn(int column);

// The probe's bytes (in UTF-8): the block at the home position, then the query.
inline constexpr std::string_view WidthProbeRequest = "\x1b[?69$p\x1b[H█\x1b[6n";

enum class ProbeRead {
    Bytes,    // some bytes were appended
    Timeout,  // nothing came within the time
    End,      // the input ended
};

struct ProbeResult {
    bool answered = false;                           // an answer came in time
    AmbiguousWidth width = AmbiguousWidth::Unknown;  // Unknown: no answer, or an odd one
    bool sideMargins = false;  // the terminal has left and right margins (DECLRMM)
    std::string keys;          // the bytes that arrived meanwhile and were not the answer
};

// Sends the request through `write`, then reads through `read` (which appends what arrives
// within the given time) until the answer comes, the input ends or the time runs out.
ProbeResult probeAmbiguousWidth(
    const std::function<void(std::string_view)>& write,
    const std::function<ProbeRead(std::string& bytes, std::chrono::milliseconds timeout)>& read,
    std::chrono::milliseconds timeout);

}  // namespace tarnwick
