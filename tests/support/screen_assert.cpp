#include "support/screen_assert.h"

namespace tarnwick::testing {

std::string plainText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
            i += 2;
            while (i < text.size() && !(text[i] >= 0x40 && text[i] <= 0x7E)) {
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

int countOf(std::string_view text, std::string_view part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

::testing::AssertionResult textAt(const TestConsole& console, int x, int y, std::string_view text) {
    return textAt(console.screen(), x, y, text);
}

::testing::AssertionResult textAt(const Screen& screen, int x, int y, std::string_view text) {
    const std::string want = plainText(text);
    const std::string have = screen.textAt(x, y, displayWidth(want));
    if (have == want) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "at column " << x << ", row " << y << " expected \""
                                         << want << "\" but found \"" << have << "\"\nscreen:\n"
                                         << screen.dump();
}

}  // namespace tarnwick::testing
