// Asks the terminal how wide it draws the ambiguous characters (ambiguous_width.h).
//
// The probe prints one full block at the home position and asks for the cursor position
// (CSI 6n). The answer "ESC [ row ; column R" says where the block ended: column 2 means
// one column wide, column 3 two. The keys decode the answer (key_input.h); the real terminal
// waits a little for it, and takes one that comes late a while longer. A terminal that does
// not answer is taken to draw them narrow.
//
// Before the block it asks whether the terminal has left and right margins (DECRQM for the
// mode DECLRMM, 69). A terminal that knows the question answers "ESC [ ? 69 ; Ps $ y" before
// the cursor position. A terminal that does not know it
// ignores the question, or prints a stray byte where the cursor stood, which the block's move
// home leaves behind. Without an answer the game does without the margins.
#pragma once

#include <string_view>

namespace tarnwick {

enum class AmbiguousWidth { Unknown, Narrow, Wide };

// What a report's column says about a block printed at column 1.
AmbiguousWidth widthFromColumn(int column);

// What the state in the answer about the margins says: set, reset or set for good means the
// terminal has them.
constexpr bool hasSideMargins(int state) {
    return state >= 1 && state <= 3;
}

// The probe's bytes (in UTF-8): the question about the margins, the block at the home
// position, then the query.
inline constexpr std::string_view WidthProbeRequest = "\x1b[?69$p\x1b[H█\x1b[6n";

}  // namespace tarnwick
