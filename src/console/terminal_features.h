// What the terminal can do, as far as the game uses it. The real terminal fills this from the
// terminal's description; the defaults are an xterm-like terminal, which is also what a
// terminal the game does not know is taken for. Where a feature is present the game sends the
// sequence named here; where it is missing the game does without.
#pragma once

#include "console/screen.h"

namespace tarnwick {

struct TerminalFeatures {
    bool colours = true;             // the eight ANSI colours: SGR 30-37 and 40-47
    bool reverse = true;             // reverse video: SGR 7
    bool dim = true;                 // faint text: SGR 2
    bool alternateScreen = true;     // CSI ?1049h and l; without it the screen is cleared
    bool cursorHiding = true;        // CSI ?25l and h
    bool synchronizedOutput = true;  // CSI ?2026h and l around a large frame
    bool windowTitle = true;         // OSC 0, and the title stack (CSI 22;0t and 23;0t)
};

// The style the terminal is to show for a cell of the given style: without colours it loses
// them and a cell that must stand out is shown in reverse video; with colours its colours
// mark it. What the terminal cannot show is left out.
constexpr Style shownStyle(Style style, const TerminalFeatures& features) {
    if (features.colours) {
        style.standout = false;
    } else {
        style.fg = ColourDefault;
        style.bg = ColourDefault;
        style.standout = style.standout && features.reverse;
    }
    style.dim = style.dim && features.dim;
    return style;
}

}  // namespace tarnwick
