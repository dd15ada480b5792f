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
#include <map>
#include <optional>
#include <random>

#include "menu_checks.h"
#include "pty_session.h"
#include "storm_source.h"

namespace tarnwick::e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int Columns = 160;  // every screen of the game fits
constexpr int Rows = 60;
// The game reads its input at once into its own queue and takes the keys as its screens ask
// for them: one a tick in play, none while a tune plays. The storm sends a chunk every second
// in play, once in five seconds while the About tune plays, and elsewhere at once when the
// screen changed since the last chunk (the game took it), else five times a second.
constexpr auto PlayPace = 1s;
constexpr auto AboutPace = 5s;
constexpr auto StillPace = 200ms;
constexpr auto ChangedPace = 20ms;
// A pause long enough for a screen other than play to take what it was sent, and one for a
// game in play to take a chunk.
constexpr auto ShortQuiet = 200ms;
constexpr auto Quiet = 1500ms;
// How long a '0' may wait behind other keys before the storm sends the next one all the same.
constexpr auto ZeroEffect = 30s;

// The screens of the game, each known by a text only it shows.
struct ScreenMark {
    const char* name;
    const char* text;
};
constexpr ScreenMark ScreenMarks[] = {
    {"menu", "欢迎来到Tarnwick游戏"},
    {"settings", "地图设置请输入"},
    {"size", "迷宫的大小"},
    {"monsters", "怪物数量等级"},
    {"mode", "当前模式为：  "},
    {"lives", "输入你想要的生命值"},
    {"shop setting", "商店开启请输入"},
    {"help", "用尽快的方式躲避怪兽"},
    {"about", "程序设计综合实践作业"},
    {"play", "当前金币"},
    {"pause", "游戏已暂停"},
    {"shop", "购买生命"},
    {"shop message", "按任意建返回商店"},
    {"defeat", "YOU LOSE"},
    {"victory", "YOU WIN"},
    {"size notice", "窗口太小啦"},
};

struct Figures {
    double seconds = 0;
    std::size_t bytesSent = 0;
    int zerosSent = 0;
    int resizes = 0;
    int screenChanges = 0;
    double longestStillScreen = 0;  // seconds
    double recoverySeconds = 0;
    std::map<std::string, int> screensSeen;  // how often each screen came up
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The storm: random input at about the pace the game takes it, a lone '0' now and then, and a
// while at a random terminal size every few seconds.
class Storm {
  public:
    Storm(PtySession& session, unsigned seed, bool allowAbout)
        : session_(session), source_(seed, allowAbout), random_(seed) {}

    // Storms for the given time; fails when the game ends on the way.
    Figures run(std::chrono::seconds duration) {
        const auto start = Clock::now();
        lastChange_ = lastChunk_ = start;
        nextZero_ = start + 1s;
        nextResize_ = start + 7s;
        while (Clock::now() < start + duration) {
            session_.settle(10ms);
            if (const auto status = session_.waitExit(0ms)) {
                ADD_FAILURE() << "the game ended during the storm, status " << *status << " after "
                              << secondsSince(start) << " s\n"
                              << screenOf(session_);
                return figures_;
            }
            feed();
            watchScreen();
            resizeNow();
            interrupt();
        }
        if (resized_) {
            session_.resize(Columns, Rows);
        }
        figures_.seconds = secondsSince(start);
        return figures_;
    }

  private:
    // Sends a chunk when the game has likely taken the last one. A screen not told apart (the
    // size notice) may be the play screen.
    void feed() {
        const std::string names = screens();
        const auto shows = [&](std::string_view name) {
            return names.find(std::string(name) + ",") != std::string::npos;
        };
        const auto pace = shows("about")                                           ? AboutPace
                          : names.empty() || shows("play") || shows("size notice") ? PlayPace
                          : lastChange_ < lastChunk_                               ? StillPace
                                                                                   : ChangedPace;
        if (Clock::now() - lastChunk_ >= pace && Clock::now() >= holdChunks_) {
            send(source_.chunk());
            lastChunk_ = Clock::now();
        }
    }

    void send(const std::string& bytes) {
        const std::size_t sent = session_.sendSome(bytes);
        figures_.bytesSent += sent;
    }

    // The names of the screens whose marks are shown.
    std::string screens() const {
        const std::string text = session_.screenText();
        std::string names;
        for (const ScreenMark& mark : ScreenMarks) {
            if (text.find(mark.text) != std::string::npos) {
                names.append(mark.name).append(",");
            }
        }
        return names;
    }

    void watchScreen() {
        const std::size_t shown = std::hash<std::string>{}(session_.screenText());
        if (shown != lastScreen_) {
            lastScreen_ = shown;
            ++figures_.screenChanges;
            lastChange_ = Clock::now();
            const std::string names = screens();
            zeroWaiting_ = zeroWaiting_ && names == zeroScreens_;
            for (std::size_t at = 0, comma = 0; (comma = names.find(',', at)) != names.npos;
                 at = comma + 1) {
                ++figures_.screensSeen[names.substr(at, comma - at)];
            }
        }
        figures_.longestStillScreen =
            std::max(figures_.longestStillScreen, secondsSince(lastChange_));
    }

    // A while at a random size (the size notice, repaints), then back to full size.
    void resizeNow() {
        if (Clock::now() < nextResize_) {
            return;
        }
        resized_ = !resized_;
        session_.resize(resized_ ? 40 + static_cast<int>(random_() % 160) : Columns,
                        resized_ ? 10 + static_cast<int>(random_() % 60) : Rows);
        figures_.resizes += resized_ ? 1 : 0;
        nextResize_ = Clock::now() + (resized_ ? 2s : 7s);
    }

    // A lone '0' now and then, at full size (the menu check needs the whole menu), where the
    // game takes it (a game in play, pause, defeat and victory screens, settings) and never to
    // the main menu: after a short quiet, not on the menu, and once the last one took effect
    // (the screens shown changed). Keys that wait in play cannot lead to the menu without a
    // '0', so that the one '0' that may wait behind them is safe.
    void interrupt() {
        const auto now = Clock::now();
        if (resized_ || now < nextZero_ || (zeroWaiting_ && now < zeroSent_ + ZeroEffect)) {
            return;
        }
        session_.settle(ShortQuiet);
        lastChunk_ = Clock::now();
        if (!menuShown(session_)) {
            zeroScreens_ = screens();
            zeroWaiting_ = true;
            session_.sendKeys("0");
            ++figures_.zerosSent;
            zeroSent_ = Clock::now();
        }
        // Half the time soon again, with no chunk between, which takes a paused game back to
        // the main menu.
        const bool again = random_() % 2 == 0;
        nextZero_ = Clock::now() + (again ? 300ms : 2s);
        holdChunks_ = again ? nextZero_ + ShortQuiet : Clock::now();
    }

    PtySession& session_;
    StormSource source_;
    std::mt19937 random_;
    Figures figures_;
    Clock::time_point lastChange_;
    Clock::time_point lastChunk_;
    Clock::time_point nextZero_;
    Clock::time_point holdChunks_;
    Clock::time_point zeroSent_;
    std::string zeroScreens_;   // the screens shown when the last '0' was sent
    bool zeroWaiting_ = false;  // and they have not changed since
    Clock::time_point nextResize_;
    bool resized_ = false;
    std::size_t lastScreen_ = 0;
};

// Brings the game back to the main menu with one '0' at a time and quits it there. The
// zeros wait behind the keys the game has not taken yet, so that it may also quit by itself.
void recoverAndQuit(PtySession& session, Figures& figures, std::chrono::seconds limit) {
    const auto start = Clock::now();
    while (Clock::now() < start + limit) {
        session.settle(Quiet);
        std::optional<int> status = session.waitExit(0ms);
        if (!status && menuShown(session)) {
            session.sendKeys("0");
            status = session.waitExit(10s);
            ASSERT_TRUE(status.has_value()) << screenOf(session);
        }
        if (status) {
            figures.recoverySeconds = secondsSince(start);
            EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
            expectRestored(session);
            return;
        }
        session.sendKeys("0");
    }
    FAIL() << "not back at the main menu after " << limit.count() << " s\n" << screenOf(session);
}

void report(const char* name, unsigned seed, const Figures& f) {
    std::printf(
        "%s (seed %u): %.0f s, %zu bytes sent, %d guarded zeros, %d resizes, %d screen changes, "
        "screen still at most %.1f s, back at the menu and quit in %.1f s\n",
        name, seed, f.seconds, f.bytesSent, f.zerosSent, f.resizes, f.screenChanges,
        f.longestStillScreen, f.recoverySeconds);
    std::printf("screens seen (times a changed screen showed them):");
    for (const auto& [screen, count] : f.screensSeen) {
        std::printf(" %s %d,", screen.c_str(), count);
    }
    std::printf("\n");
}

unsigned stormSeed() {
    const char* text = std::getenv("TARNWICK_STORM_SEED");
    return text != nullptr ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                           : static_cast<unsigned>(std::time(nullptr));
}

void runStorm(const char* name, std::chrono::seconds duration, bool allowAbout,
              std::chrono::seconds recoveryLimit) {
    PtySession session({.columns = Columns, .rows = Rows});
    START_OR_SKIP(session);
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
    const unsigned seed = stormSeed();
    Figures figures = Storm(session, seed, allowAbout).run(duration);
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
