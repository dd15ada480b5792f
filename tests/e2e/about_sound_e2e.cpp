// The real binary in a pseudo-terminal, with a sound device that stops taking samples: a
// private HOME routes ALSA's "default" into a pipe that the test reads through most of the
// About tune and then no more, as a sound server that stalls.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "e2e_support.h"

namespace tarnwick::e2e {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The About tune's length; the About screen reads its key after it.
constexpr auto AboutTune = 91824ms;

// A private HOME whose ALSA "default" writes raw samples into a pipe, read from here.
struct PipeSink {
    PipeSink() : home((fs::temp_directory_path() / "tarnwick-stall-XXXXXX").string()) {
        if (mkdtemp(home.data()) == nullptr) {
            throw std::runtime_error("no temporary folder: " + home);
        }
        mkfifo((home + "/sink").c_str(), 0600);
        std::ofstream(home + "/.asoundrc") << "pcm.!default { type file slave.pcm \"null\" file \""
                                           << home << "/sink\" format \"raw\" }\n";
        reader = open((home + "/sink").c_str(), O_RDONLY | O_NONBLOCK);
    }
    ~PipeSink() {
        close(reader);
        fs::remove_all(home);
    }
    // Takes what the game wrote, as a device playing at the pace set (1: real time) since
    // `from`; false, so that a wait on it reads until its time is up.
    bool drain() {
        char buffer[65536];
        const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
        const long due = pace > 0 ? static_cast<long>(seconds * pace * 96000) : 1L << 40;
        for (ssize_t got = 0;
             drained < due &&
             (got = read(reader, buffer, std::min<long>(sizeof buffer, due - drained))) > 0;) {
            drained += got;
        }
        return false;
    }
    std::string home;
    int reader = -1;
    long drained = 0;
    double pace = 0;  // 0: takes all at once
    Clock::time_point from = Clock::now();
};

TEST(AboutSoundE2e, ASlowThenStalledDeviceHoldsNeitherTheScreenNorTheEnd) {
    PipeSink sink;
    PtySession session({.environment = {{"HOME", sink.home}}});
    START_OR_SKIP(session);
    awaitMainMenu(session);
    session.sendKeys("4");
    awaitText(session, 43, 14, "Tarnwick小游戏");
    const Clock::time_point tuneStart = Clock::now();
    session.sendKeys("x");  // read at the end of the tune: the About screen closes then
    // The device takes samples at 80 % of real time until 1.5 s before the tune's end, then
    // no more: the tune's last notes and its closing 1000 ms pause.
    sink.pace = 0.8;
    sink.from = tuneStart;
    session.waitUntil([&] { return sink.drain(); }, AboutTune - 1500ms);
    EXPECT_GT(sink.drained, 0) << "no sound reached the device";
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); }, 2500ms))
        << "no main menu 2.5 s after the device stalled\n"
        << screenOf(session);
    // On time: the tune's length, and the quarter second at most that the sounds waited for
    // the device in all.
    const auto shown =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - tuneStart);
    std::printf("About screen on a slow, then stalled device: %d ms\n",
                static_cast<int>(shown.count()));
    EXPECT_GT(shown, AboutTune - 100ms);
    EXPECT_LT(shown, AboutTune + 250ms);
    session.sendKeys("0");  // the end does not wait for the stalled device either
    const auto status = session.waitExit(2s);
    ASSERT_TRUE(status.has_value()) << "the program hangs at its end";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
}

TEST(AboutSoundE2e, MutedTheTuneSendsNothingToTheDevice) {
    PipeSink sink;
    PtySession session({.arguments = {"--mute"}, .environment = {{"HOME", sink.home}}});
    START_OR_SKIP(session);
    awaitMainMenu(session);
    session.sendKeys("4");
    awaitText(session, 43, 14, "Tarnwick小游戏");
    // Unmuted, the tune's opening rest and first notes would flow by now.
    session.waitUntil([&] { return sink.drain(); }, 3s);
    EXPECT_EQ(sink.drained, 0);
}

}  // namespace
}  // namespace tarnwick::e2e
