// The probe of how wide the terminal draws ambiguous characters, against scripted terminals.
#include "terminal/width_probe.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace tarnwick {
namespace {

using namespace std::chrono_literals;

// A terminal that answers with scripted chunks of input, then stays silent (or ends).
struct ScriptedTerminal {
    explicit ScriptedTerminal(std::deque<std::string> script, bool ends = false)
        : chunks(std::move(script)), endsAfter(ends) {}

    std::deque<std::string> chunks;
    bool endsAfter;
    std::string written;
    std::string writtenBeforeFirstRead;
    int reads = 0;

    ProbeResult probe() {
        return probeAmbiguousWidth([this](std::string_view bytes) { written += bytes; },
                                   [this](std::string& bytes, std::chrono::milliseconds timeout) {
                                       EXPECT_GT(timeout.count(), 0);
                                       EXPECT_LE(timeout, 200ms);
                                       if (reads++ == 0) {
                                           writtenBeforeFirstRead = written;
                                       }
                                       if (chunks.empty()) {
                                           return endsAfter ? ProbeRead::End : ProbeRead::Timeout;
                                       }
                                       bytes += chunks.front();
                                       chunks.pop_front();
                                       return ProbeRead::Bytes;
                                   },
                                   200ms);
    }
};

TEST(WidthProbe, TheAnswersColumnGivesTheWidth) {
    struct Case {
        std::deque<std::string> chunks;
        AmbiguousWidth width;
        bool answered;
        bool sideMargins = false;
    };
    for (const Case& c : {
             Case{{"\x1b[1;2R"}, AmbiguousWidth::Narrow, true},
             Case{{"\x1b[1;3R"}, AmbiguousWidth::Wide, true},
             Case{{"\x1b[", "1;", "3", "R"}, AmbiguousWidth::Wide, true},  // in pieces
             Case{{"\x1b[1;1R"}, AmbiguousWidth::Unknown, true},  // the block did not print
             Case{{}, AmbiguousWidth::Unknown, false},
             // The answer about the margins first, whole or in pieces: 1 to 3 say yes.
             Case{{"\x1b[?69;2$y\x1b[1;2R"}, AmbiguousWidth::Narrow, true, true},
             Case{{"\x1b[?6", "9;3$", "y\x1b[1;3R"}, AmbiguousWidth::Wide, true, true},
             Case{{"\x1b[?69;0$y\x1b[1;2R"}, AmbiguousWidth::Narrow, true, false},
         }) {
        ScriptedTerminal terminal{c.chunks};
        const ProbeResult result = terminal.probe();
        EXPECT_EQ(result.width, c.width) << testing::PrintToString(c.chunks);
        EXPECT_EQ(result.answered, c.answered) << testing::PrintToString(c.chunks);
        EXPECT_EQ(result.sideMargins, c.sideMargins) << testing::PrintToString(c.chunks);
        EXPECT_EQ(result.keys, "");
        // The block and the question go out before any answer is awaited.
        EXPECT_EQ(terminal.writtenBeforeFirstRead, "\x1b[?69$p\x1b[H█\x1b[6n");
        EXPECT_EQ(terminal.written, "\x1b[?69$p\x1b[H█\x1b[6n");
    }
}

TEST(WidthProbe, KeysTypedDuringTheProbeAreKept) {
    // Keys before and after the answer, in the same chunks as its pieces.
    ScriptedTerminal answered{{"1w\x1b", "[A\x1b[12;3", "R0d", "late"}};
    ProbeResult result = answered.probe();
    EXPECT_EQ(result.width, AmbiguousWidth::Wide);
    EXPECT_EQ(result.keys, "1w\x1b[A0d");
    EXPECT_EQ(answered.chunks.size(), 1u);  // stops reading once answered

    // No answer: everything is keys, an arrow key and a lone digit among them.
    ScriptedTerminal silent{{"\x1b[B", "3;2R", "x"}};
    result = silent.probe();
    EXPECT_EQ(result.width, AmbiguousWidth::Unknown);
    EXPECT_EQ(result.keys, "\x1b[B3;2Rx");

    // The input ends: what came is kept for the game to read before it sees the end.
    ScriptedTerminal ending{{"q"}, true};
    result = ending.probe();
    EXPECT_EQ(result.width, AmbiguousWidth::Unknown);
    EXPECT_EQ(result.keys, "q");
    EXPECT_EQ(ending.reads, 2);
}

TEST(WidthProbe, FindsOnlyCompleteReports) {
    const auto report = findCursorReport("ab\x1b\x1b[24;133Rcd");
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->at, 3u);
    EXPECT_EQ(report->length, 9u);
    EXPECT_EQ(report->row, 24);
    EXPECT_EQ(report->column, 133);
    for (const std::string_view bytes : {"\x1b[1;3", "\x1b[;3R", "\x1b[1;R", "\x1b[1:3R",
                                         "\x1b"
                                         "1;3R",
                                         "\x1b[13R", "\x1b[A", "\x1b[1;5C", "\x1b[123456;2R"}) {
        EXPECT_FALSE(findCursorReport(bytes).has_value()) << testing::PrintToString(bytes);
    }
    // What the rest of the input may still complete, and what it cannot.
    for (const std::string_view bytes : {"\x1b", "\x1b[", "\x1b[12", "\x1b[12;", "\x1b[1;1234",
                                         "\x1b[?6", "\x1b[?69;2$", "\x1b[?69;2$y"}) {
        EXPECT_TRUE(cursorReportIncomplete(bytes)) << testing::PrintToString(bytes);
    }
    for (const std::string_view bytes :
         {"", "a", "\x1b[1;3R", "\x1b[;", "\x1b[12345", "\x1b[A", "\x1b[?69;2$x", "\x1b[?7"}) {
        EXPECT_FALSE(cursorReportIncomplete(bytes)) << testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace tarnwick
