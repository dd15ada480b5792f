// The tone output on ALSA, reached through ALSA's own configuration: each case runs in a child
// process whose HOME holds an .asoundrc (ALSA reads its configuration once per process).
#include "audio/tone_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "audio/synthesis.h"
#include "audio_check.h"
#include "game/cues.h"
#include "support/sounding_console.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using Clock = ToneOutput::Clock;
using testing::SoundingConsole;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void sleepFor(Clock::time_point until) {
    std::this_thread::sleep_until(until);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A private HOME for one child process, removed afterwards.
class AlsaHome {
  public:
    explicit AlsaHome(const std::string& asoundrcTemplate) {
        std::string pattern = (fs::temp_directory_path() / "tarnwick-sound-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        std::string text = asoundrcTemplate;
        const auto at = text.find("@DIR@");
        if (at != std::string::npos) {
            text.replace(at, 5, dir_.string());
        }
        std::ofstream(dir_ / ".asoundrc") << text;
    }
    ~AlsaHome() { fs::remove_all(dir_); }
    const fs::path& dir() const { return dir_; }

  private:
    fs::path dir_;
};

// What a child reports back, and what it printed.
template <class Result>
struct ChildRun {
    Result result{};
    bool reported = false;
    std::string out;
    std::string err;
};

// Runs body in a child process with HOME set to home and stdout and stderr captured.
template <class Result>
ChildRun<Result> runInChild(const AlsaHome& home, const std::function<Result()>& body) {
    static_assert(std::is_trivially_copyable_v<Result>);
    ChildRun<Result> run;
    std::array<int, 2> pipeFds{};
    if (pipe(pipeFds.data()) != 0) {
        return run;
    }
    const fs::path outPath = home.dir() / "stdout.txt";
    const fs::path errPath = home.dir() / "stderr.txt";
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        setenv("HOME", home.dir().c_str(), 1);
        (void)!freopen(outPath.c_str(), "w", stdout);
        (void)!freopen(errPath.c_str(), "w", stderr);
        const Result result = body();
        std::fflush(nullptr);
        (void)!write(pipeFds[1], &result, sizeof result);
        _exit(0);
    }
    close(pipeFds[1]);
    run.reported = pid > 0 && read(pipeFds[0], &run.result, sizeof run.result) ==
                                  static_cast<ssize_t>(sizeof run.result);
    close(pipeFds[0]);
    int status = 0;
    if (pid > 0) {
        waitpid(pid, &status, 0);
    }
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

// ALSA's "default" written raw to a file, through the null device.
constexpr const char* FileSink = R"(pcm.!default {
    type file
    slave.pcm "null"
    file "@DIR@/out.raw"
    format "raw"
}
)";

// ALSA's "default" pointing at a device that does not exist (ALSA would complain on stderr).
constexpr const char* MissingDevice = R"(pcm.!default {
    type plug
    slave.pcm "tarnwick_no_such_device"
}
)";

struct TimedCue {
    double elapsedMs;
    bool hadDevice;
};

TimedCue timeCoinCue() {
    ToneOutput output(sleepFor);
    SoundingConsole console(output);
    const Clock::time_point start = Clock::now();
    coinCue(console);
    return {msBetween(start, Clock::now()), output.hasDevice()};
}

TEST(ToneOutputAlsa, CoinCueReachesTheDeviceAsSamplesInItsTime) {
#ifndef TARNWICK_HAVE_ALSA
    GTEST_SKIP() << "built without ALSA";
#endif
    const AlsaHome home(FileSink);
    const auto run = runInChild<TimedCue>(home, timeCoinCue);
    ASSERT_TRUE(run.reported);
    EXPECT_TRUE(run.result.hadDevice);
    EXPECT_NEAR(run.result.elapsedMs, 600.0, 30.0);

    const std::string raw = readFile(home.dir() / "out.raw");
    ASSERT_EQ(raw.size(), 600u * SamplesPerMs * sizeof(std::int16_t));
    std::vector<std::int16_t> samples(raw.size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), raw.data(), raw.size());
    const std::span<const std::int16_t> all(samples);
    for (int note = 0; note < 3; ++note) {
        const auto one =
            all.subspan(static_cast<std::size_t>(note) * 200 * SamplesPerMs, 200 * SamplesPerMs);
        EXPECT_NEAR(measureHz(one, SampleRate), 1760.0, 17.6) << "note " << note;
    }
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(ToneOutputAlsa, WithoutADeviceTheCueKeepsItsTimeSilently) {
    const AlsaHome home(MissingDevice);
    const auto run = runInChild<TimedCue>(home, timeCoinCue);
    ASSERT_TRUE(run.reported);
    EXPECT_FALSE(run.result.hadDevice);
    EXPECT_NEAR(run.result.elapsedMs, 600.0, 30.0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

using CueTimes = std::array<double, 4>;

CueTimes timeFourCoinCues() {
    ToneOutput output(sleepFor);
    SoundingConsole console(output);
    CueTimes elapsed{};
    for (double& ms : elapsed) {
        const Clock::time_point start = Clock::now();
        coinCue(console);
        ms = msBetween(start, Clock::now());
    }
    return elapsed;
}

TEST(ToneOutputAlsa, AStalledDeviceHoldsTheCuesAQuarterSecondAtMostThenGoesSilent) {
#ifndef TARNWICK_HAVE_ALSA
    GTEST_SKIP() << "built without ALSA";
#endif
    const AlsaHome home(FileSink);
    // A pipe that nobody reads: the device hangs in its opening, for good.
    ASSERT_EQ(mkfifo((home.dir() / "out.raw").c_str(), 0600), 0);
    const auto run = runInChild<CueTimes>(home, timeFourCoinCues);
    ASSERT_TRUE(run.reported);
    // The notes, one after the other, wait 200 ms past the game's clock in all, until the
    // device has taken nothing for 2 s (beyond a first 100 ms), at 2.1 s in the fourth cue;
    // then the cues are back on the game's clock.
    EXPECT_NEAR(run.result[0], 600.0 + 200.0, 30.0);
    EXPECT_NEAR(run.result[1], 600.0, 30.0);
    EXPECT_NEAR(run.result[0] + run.result[1] + run.result[2] + run.result[3], 2400.0, 30.0);
}

// Deadlines, as seen by a wait that records them instead of sleeping: a sound's last wait.
struct Deadlines {
    std::array<double, 4> afterFirstMs;  // each deadline, from the first one
    double freshStartMs;                 // a sound after a long silence: its deadline - call
};

Deadlines recordDeadlines() {
    std::vector<Clock::time_point> seen;
    ToneOutput output([&seen](Clock::time_point until) { seen.push_back(until); });
    Deadlines result{};
    output.tone(880, 200);
    const Clock::time_point first = seen.back();
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));  // the game's own work
        if (i == 1) {
            output.rest(128);
        } else {
            output.tone(659, 200);
        }
        result.afterFirstMs[i + 1] = msBetween(first, seen.back());
    }
    std::this_thread::sleep_until(seen.back() + std::chrono::milliseconds(200));
    const Clock::time_point call = Clock::now();
    output.tone(784, 400);
    result.freshStartMs = msBetween(call, seen.back());
    return result;
}

TEST(ToneOutputDeadlines, FollowThePreviousDeadlineNotTheCall) {
    const AlsaHome home(MissingDevice);
    const auto run = runInChild<Deadlines>(home, recordDeadlines);
    ASSERT_TRUE(run.reported);
    EXPECT_DOUBLE_EQ(run.result.afterFirstMs[1], 200.0);
    EXPECT_DOUBLE_EQ(run.result.afterFirstMs[2], 328.0);
    EXPECT_DOUBLE_EQ(run.result.afterFirstMs[3], 528.0);
    // After a silence the next sound counts from its call.
    EXPECT_NEAR(run.result.freshStartMs, 400.0, 1.0);
}

}  // namespace
}  // namespace tarnwick
