#include "terminal/terminal_description.h"

#include <term.h>

namespace tarnwick {

namespace {

// The string capability is in the terminal's description.
bool hasString(const char* name) {
    const char* value = tigetstr(name);
    return value != nullptr && value != reinterpret_cast<char*>(-1);
}

bool hasFlag(const char* name) {
    return tigetflag(name) > 0;
}

}  // namespace

TerminalFeatures describeTerminal(const char* term, const char* noColor) {
    TerminalFeatures features;
    const bool colourWanted = noColor == nullptr || *noColor == '\0';
    int error = 0;
    // Without a name, or with one the database does not know, the defaults stand. The
    // description is read for no file descriptor: nothing is asked of the terminal itself.
    if (term == nullptr || *term == '\0' || setupterm(term, -1, &error) != 0) {
        features.colours = colourWanted;
        return features;
    }
    features.colours = colourWanted && tigetnum("colors") >= 8;
    features.reverse = hasString("rev");
    features.dim = hasString("dim");
    features.alternateScreen = hasString("smcup");
    features.cursorHiding = hasString("civis");
    features.synchronizedOutput = features.alternateScreen || hasString("Sync");
    features.windowTitle = features.alternateScreen || hasFlag("XT") || hasString("tsl");
    del_curterm(cur_term);
    return features;
}

}  // namespace tarnwick
