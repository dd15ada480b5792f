#include "terminal/width_probe.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Reads a run of digits at `pos` (at most four: a screen has no more rows or columns).
bool readNumber(std::string_view bytes, std::size_t& pos, int& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9' && pos - start < 4) {
        value = value * 10 + (bytes[pos] - '0');
        ++pos;
    }
    return pos > start;
}

// The start of the answer about the margins, "ESC [ ? 69 ; Ps $ y".
constexpr std::string_view MarginsAnswerStart = "\x1b[?69;";
constexpr std::string_view MarginsAnswerEnd = "$y";

// Reads the answer about the margins at `pos`: where it ends, or npos when none stands there.
std::size_t readMarginsAnswer(std::string_view bytes, std::size_t pos, bool& has) {
    if (bytes.substr(pos, MarginsAnswerStart.size()) != MarginsAnswerStart) {
        return std::string_view::npos;
    }
    pos += MarginsAnswerStart.size();
    int value = 0;
    if (!readNumber(bytes, pos, value) ||
        bytes.substr(pos, MarginsAnswerEnd.size()) != MarginsAnswerEnd) {
        return std::string_view::npos;
    }
    has = value >= 1 && value <= 3;  // set, reset, or set for good
    return pos + MarginsAnswerEnd.size();
}

// Whether the bytes are a beginning of the answer about the margins, or all of it.
bool marginsAnswerIncomplete(std::string_view bytes) {
    const std::size_t start = std::min(bytes.size(), MarginsAnswerStart.size());
    if (bytes.empty() || bytes.substr(0, start) != MarginsAnswerStart.substr(0, start)) {
        return false;
    }
    std::size_t pos = start;
    int value = 0;
    if (!readNumber(bytes, pos, value)) {
        return pos == bytes.size();
    }
    const std::string_view rest = bytes.substr(pos);
    return rest.size() <= MarginsAnswerEnd.size() && MarginsAnswerEnd.starts_with(rest);
}

}  // namespace

std::optional<CursorReport> findCursorReport(std::string_view bytes) {
    for (std::size_t at = bytes.find('\x1b'); at != std::string_view::npos;
         at = bytes.find('\x1b', at + 1)) {
        CursorReport report;
        std::size_t pos = readMarginsAnswer(bytes, at, report.sideMargins);
        pos = pos == std::string_view::npos ? at : pos;
        if (pos >= bytes.size() || bytes[pos++] != '\x1b') {
            continue;
        }
        if (pos >= bytes.size() || bytes[pos++] != '[' || !readNumber(bytes, pos, report.row) ||
            pos >= bytes.size() || bytes[pos++] != ';' || !readNumber(bytes, pos, report.column) ||
            pos >= bytes.size() || bytes[pos] != 'R') {
            continue;
        }
        report.at = at;
        report.length = pos + 1 - at;
        return report;
    }
    return std::nullopt;
}

bool cursorReportIncomplete(std::string_view bytes) {
    if (marginsAnswerIncomplete(bytes)) {
        return true;
    }
    if (bytes.empty() || bytes[0] != '\x1b') {
        return false;
    }
    std::size_t pos = 1;
    if (pos == bytes.size()) {
        return true;
    }
    if (bytes[pos++] != '[') {
        return false;
    }
    // The row and the column, each digits and the byte after them.
    for (const char after : {';', 'R'}) {
        int value = 0;
        const bool number = readNumber(bytes, pos, value);
        if (pos == bytes.size()) {
            return true;  // cut before or inside the digits
        }
        if (!number || bytes[pos++] != after) {
            return false;
        }
        if (pos == bytes.size()) {
            return after == ';';
        }
    }
    return false;
}

AmbiguousWidth widthFromColumn(int column) {
    switch (column) {
        case 2:
            return AmbiguousWidth::Narrow;
        case 3:
            return AmbiguousWidth::Wide;
        default:
            return AmbiguousWidth::Unknown;
    }
}

ProbeResult probeAmbiguousWidth(
    const std::function<void(std::string_view)>& write,
    const std::function<ProbeRead(std::string& bytes, std::chrono::milliseconds timeout)>& read,
    std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    ProbeResult result;
    write(WidthProbeRequest);
    const auto deadline = Clock::now() + timeout;
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || read(result.keys, left) != ProbeRead::Bytes) {
            return result;
        }
        if (const auto report = findCursorReport(result.keys)) {
            result.answered = true;
            result.width = widthFromColumn(report->column);
            result.sideMargins = report->sideMargins;
            result.keys.erase(report->at, report->length);
            return result;
        }
    }
}

}  // namespace tarnwick
