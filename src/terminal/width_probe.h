// Asks the terminal how wide it draws the ambiguous characters (ambiguous_width.h).
//
// The probe prints one full block at the home position and asks for the cursor position
// (CSI 6n). The answer "ESC [ row ; column R" says where the block ended: column 2 means
// one column wide, column 3 two. The keys decode the answer (key_input.h); the real terminal
// waits a little for it, and takes one that comes late a while longer. A terminal that does
// not answer is taken to draw them narrow.
#pragma once

#include <string_view>

namespace tarnwick {

enum class AmbiguousWidth { Unknown, Narrow, Wide };

// What a report's column says about a block printed at column 1.
AmbiguousWidth widthFromColumn(int column);

// The probe's bytes (in UTF-8): the block at the home position, then the query.
inline constexpr std::string_view WidthProbeRequest = "\x1b[H█\x1b[6n";

}  // namespace tarnwick
