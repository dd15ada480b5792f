#include "console/console.h"

namespace tarnwick {

std::string formatInt(std::string_view format, int value) {
    std::string text(format);
    const auto at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(value));
    }
    return text;
}

void Console::printFormatted(std::string_view format, int value) {
    printText(formatInt(format, value));
}

}  // namespace tarnwick
