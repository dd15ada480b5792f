#include "storage/journal.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <random>

namespace tarnwick::storage {

namespace {

constexpr std::string_view FoldedLine = "# journal entries counted above: ";
constexpr std::size_t TimeDigits = 20;
constexpr std::size_t RandomDigits = 16;

}  // namespace

std::string journalPrefix(const std::string& name) {
    return "." + name + ".journal-";
}

std::int64_t journalNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string newJournalId(std::int64_t timeNs) {
    std::string time = std::to_string(std::max<std::int64_t>(timeNs, 0));
    std::random_device device;
    std::uint64_t random = (std::uint64_t{device()} << 32) ^ device();
    std::string id = std::string(TimeDigits - time.size(), '0') + time + "-";
    for (std::size_t i = 0; i < RandomDigits; ++i, random >>= 4) {
        id += "0123456789abcdef"[random & 15];
    }
    return id;
}

std::int64_t journalTime(std::string_view id) {
    std::int64_t time = -1;
    const char* end = id.data() + std::min(id.size(), TimeDigits);
    const auto [stop, error] = std::from_chars(id.data(), end, time);
    const bool wellFormed =
        id.size() == TimeDigits + 1 + RandomDigits && stop == end && error == std::errc() &&
        id[TimeDigits] == '-' &&
        id.find_first_not_of("0123456789abcdef", TimeDigits + 1) == std::string_view::npos;
    return wellFormed ? time : -1;
}

FoldedText takeFoldedLine(std::string_view text) {
    FoldedText result;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.starts_with(FoldedLine)) {
            result.text.append(line);
            result.text += end == std::string_view::npos ? "" : "\n";
            continue;
        }
        std::string_view ids = line.substr(FoldedLine.size());
        while (!ids.empty()) {
            const std::size_t space = ids.find(' ');
            if (journalTime(ids.substr(0, space)) >= 0) {
                result.folded.emplace_back(ids.substr(0, space));
            }
            ids.remove_prefix(space == std::string_view::npos ? ids.size() : space + 1);
        }
    }
    return result;
}

std::string withFoldedLine(std::string text, const std::vector<std::string>& ids) {
    if (ids.empty()) {
        return text;
    }
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    text += FoldedLine;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        text += (i == 0 ? "" : " ") + ids[i];
    }
    return text + "\n";
}

bool isFolded(const std::vector<std::string>& folded, std::string_view id) {
    return std::find(folded.begin(), folded.end(), id) != folded.end();
}

}  // namespace tarnwick::storage
