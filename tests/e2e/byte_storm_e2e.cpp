// A storm of random bytes into the real binary: it stays alive and keeps reading keys, and
// afterwards a few keys bring it back to the main menu and 0 quits it with status 0.
//
// The short storm runs with the other end-to-end tests. The long one is run by hand, for
// TARNWICK_STORM_SECONDS (default 300) with the storm TARNWICK_STORM_SEED (default: the time):
//   test_e2e --gtest_also_run_disabled_tests --gtest_filter='ByteStormE2e.DISABLED_LongStorm'
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <random>

#include "menu_checks.h"
#include "pty_session.h"
#include "storm_source.h"

namespace tarnwick::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int Columns = 160;  // every screen of the game fits
constexpr int Rows = 60;
constexpr int QueueLimit = 64;  // bytes waiting for the game before the storm holds back

struct Figures {
    double seconds = 0;
    std::size_t bytesSent = 0;
    int zerosSent = 0;
    int resizes = 0;
    int screenChanges = 0;
    double longestStillScreen = 0;  // seconds
    double longestUnreadInput = 0;  // seconds the game read none of the waiting input
    double recoverySeconds = 0;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Sends a lone '0' where the game can take it (pause, defeat, victory screens, settings,
// a game in play) but never to the main menu: only when the game has read all its input
// and what it shows is not the menu.
bool sendGuardedZero(PtySession& session) {
    if (session.pendingInput() != 0) {
        return false;
    }
    session.settle(100ms);
    if (session.pendingInput() != 0 || menuShown(session)) {
        return false;
    }
    session.sendKeys("0");
    return true;
}

// Storms for the given time; fails when the game ends on the way.
Figures storm(PtySession& session, std::chrono::seconds duration, unsigned seed, bool allowAbout) {
    StormSource source(seed, allowAbout);
    std::mt19937 random(seed);
    Figures figures;
    const auto start = Clock::now();
    auto lastChange = start;
    auto lastRead = start;
    auto nextZero = start + 1s;
    auto nextResize = start + 7s;
    bool resized = false;
    std::size_t lastScreen = 0;
    while (Clock::now() < start + duration) {
        session.settle(10ms);
        if (const auto status = session.waitExit(0ms)) {
            ADD_FAILURE() << "the game ended during the storm, status " << *status << " after "
                          << secondsSince(start) << " s\n"
                          << screenOf(session);
            return figures;
        }
        const int pending = session.pendingInput();
        if (pending == 0) {
            lastRead = Clock::now();
        }
        figures.longestUnreadInput = std::max(figures.longestUnreadInput, secondsSince(lastRead));
        if (pending < QueueLimit) {
            figures.bytesSent += session.sendSome(source.chunk());
        }
        const std::size_t shown = std::hash<std::string>{}(session.screenText());
        if (shown != lastScreen) {
            lastScreen = shown;
            ++figures.screenChanges;
            lastChange = Clock::now();
        }
        figures.longestStillScreen = std::max(figures.longestStillScreen, secondsSince(lastChange));
        if (Clock::now() >= nextResize) {
            // A while at a random size (the size notice, repaints), then back to full size.
            resized = !resized;
            session.resize(resized ? 40 + static_cast<int>(random() % 160) : Columns,
                           resized ? 10 + static_cast<int>(random() % 60) : Rows);
            figures.resizes += resized ? 1 : 0;
            nextResize = Clock::now() + (resized ? 2s : 7s);
        }
        if (!resized && Clock::now() >= nextZero && sendGuardedZero(session)) {
            ++figures.zerosSent;
            nextZero = Clock::now() + 2s;
        }
    }
    if (resized) {
        session.resize(Columns, Rows);
    }
    figures.seconds = secondsSince(start);
    return figures;
}

// Brings the game back to the main menu with one '0' at a time and quits it there.
void recoverAndQuit(PtySession& session, Figures& figures, std::chrono::seconds limit) {
    const auto start = Clock::now();
    while (Clock::now() < start + limit) {
        session.flushInput();
        session.settle(300ms);
        if (menuShown(session)) {
            session.sendKeys("0");
            const auto status = session.waitExit(10s);
            figures.recoverySeconds = secondsSince(start);
            ASSERT_TRUE(status.has_value()) << screenOf(session);
            EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
            expectRestored(session);
            return;
        }
        session.sendKeys("0");
        session.waitUntil([&] { return session.pendingInput() == 0; }, 3s);
    }
    FAIL() << "not back at the main menu after " << limit.count() << " s\n" << screenOf(session);
}

void report(const char* name, unsigned seed, const Figures& f) {
    std::printf(
        "%s (seed %u): %.0f s, %zu bytes sent, %d guarded zeros, %d resizes, %d screen "
        "changes, screen still at most %.1f s, input unread at most %.1f s, back at the menu "
        "and quit in %.1f s\n",
        name, seed, f.seconds, f.bytesSent, f.zerosSent, f.resizes, f.screenChanges,
        f.longestStillScreen, f.longestUnreadInput, f.recoverySeconds);
}

unsigned stormSeed() {
    const char* text = std::getenv("TARNWICK_STORM_SEED");
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                           : static_cast<unsigned>(std::time(nullptr));
}

void runStorm(const char* name, std::chrono::seconds duration, bool allowAbout,
              std::chrono::seconds recoveryLimit) {
    SessionOptions options;
    options.columns = Columns;
    options.rows = Rows;
    PtySession session(options);
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
    const unsigned seed = stormSeed();
    Figures figures = storm(session, duration, seed, allowAbout);
    if (::testing::Test::HasFailure()) {
        return;
    }
    EXPECT_GT(figures.screenChanges, 10);
    recoverAndQuit(session, figures, recoveryLimit);
    report(name, seed, figures);
}

TEST(ByteStormE2e, ShortStormLeavesTheGameAliveAndResponsive) {
    runStorm("short storm", 25s, false, 240s);
}

TEST(ByteStormE2e, DISABLED_LongStorm) {
    const char* text = std::getenv("TARNWICK_STORM_SECONDS");
    const long seconds = text != nullptr ? std::strtol(text, nullptr, 10) : 300;
    runStorm("long storm", std::chrono::seconds(seconds), true, 600s);
}

}  // namespace
}  // namespace tarnwick::e2e
