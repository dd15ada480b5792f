// What the writer does when the file system is in its way, and when it is killed or races
// another game: the old file or the new one stays, never a torn one, and no game is lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "storage/file_lock.h"
#include "storage/records_store.h"
#include "storage/settings_store.h"
#include "temp_folder.h"

// A slow disk: this process's fsync is held this long before it is done. Linked into the test,
// it stands in front of the C library's for the storage code as a preloaded one would.
int fsyncHoldMs = 0;
extern "C" int fsync(int fd) {
    usleep(static_cast<useconds_t>(fsyncHoldMs) * 1000);
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace tarnwick::storage {
namespace {

using namespace std::chrono_literals;

const FinishedGame Win{"timed", 25, true, 300, 0, 2};
const FinishedGame Held{"endless", 29, false, 0, 1, 0};  // the stalled holder's games

// Runs the body in a child process, which exits with the body's result.
template <typename Body>
pid_t startChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    return pid;
}

int exitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// Games that end together, each in a process of its own, each waiting for the lock as long as
// given: how many are kept with no note, none waiting past half a second more.
int gamesAtOnce(const TempFolder& temp, int games, std::chrono::milliseconds wait) {
    std::vector<pid_t> children;
    for (int i = 0; i < games; ++i) {
        children.push_back(startChild([&] {
            const auto start = std::chrono::steady_clock::now();
            const RecordedGame game = recordGame(temp.game(), Win, wait);
            const bool quick = std::chrono::steady_clock::now() - start < wait + 500ms;
            return game.written && game.notes.empty() && quick ? 0 : 1;
        }));
    }
    return static_cast<int>(std::count_if(children.begin(), children.end(),
                                          [](pid_t child) { return exitStatus(child) == 0; }));
}

std::int64_t gamesOf(const TempFolder& temp, const FinishedGame& game) {
    const LoadedRecords loaded = loadRecords(temp.game());
    const Record* record = findRecord(loaded.table, game.mode, game.boardSize);
    return record ? record->games : 0;
}

TEST(FileSafety, WhatStandsInTheWayIsLeftAsItIs) {
    TempFolder temp;
    ASSERT_TRUE(recordGame(temp.game(), Win).written);
    const std::string before = fileText(temp.file("records"));

    // A full disk (a file size limit makes the write fail alike): the old file stays whole.
    EXPECT_EQ(exitStatus(startChild([&] {
                  signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{10, 10};
                  setrlimit(RLIMIT_FSIZE, &limit);
                  return recordGame(temp.game(), Win).written ? 1 : 0;
              })),
              0);
    EXPECT_EQ(fileText(temp.file("records")), before);

    // A symbolic link in the file's place is kept, and so is what it points to.
    writeText(temp.path + "/elsewhere", "x = 1\n");
    ASSERT_EQ(symlink((temp.path + "/elsewhere").c_str(), temp.file("settings").c_str()), 0);
    const SettingRange table[] = {{"x", 0, 9}};
    EXPECT_EQ(saveSettings(temp.game(), table, std::vector{2}).size(), 1u);
    EXPECT_EQ(fileText(temp.path + "/elsewhere"), "x = 1\n");
    struct stat info {};
    EXPECT_TRUE(lstat(temp.file("settings").c_str(), &info) == 0 && S_ISLNK(info.st_mode));

    // A folder that cannot be made (a file where a folder should be).
    const StorageFolder blocked{temp.path + "/elsewhere/tarnwick", {}};
    const RecordedGame lost = recordGame(blocked, Win);
    EXPECT_FALSE(lost.written);
    EXPECT_EQ(lost.notes.size(), 1u);

    // No temporary file is left by any of these.
    for (const auto& entry : std::filesystem::directory_iterator(temp.game().path)) {
        EXPECT_EQ(entry.path().filename().string().find(".records.tmp"), std::string::npos);
    }
}

TEST(FileSafety, KilledWritersLeaveOldOrNewAndLeftoversGo) {
    TempFolder temp(true);
    std::mt19937 random(std::random_device{}());
    std::int64_t games = 0;
    for (int run = 0; run < 100; ++run) {
        const pid_t pid = startChild([&] {
            while (true) {
                recordGame(temp.game(), Win);
            }
            return 0;
        });
        usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(random));
        kill(pid, SIGKILL);
        exitStatus(pid);
        const LoadedRecords loaded = loadRecords(temp.game());
        ASSERT_TRUE(loaded.notes.empty()) << messageText(loaded.notes.at(0), false);
        if (loaded.table.records.empty()) {
            continue;  // killed before its first game was written
        }
        const Record& record = loaded.table.records.at(0);
        EXPECT_EQ(record.coins, 2 * record.games);  // every game written whole
        EXPECT_GE(record.games, games);
        games = record.games;
    }
    // Leftovers of killed writers, aged: the next write removes them.
    int leftovers = 0;
    const timespec old[2] = {{1, 0}, {1, 0}};
    for (const auto& entry : std::filesystem::directory_iterator(temp.game().path)) {
        leftovers += utimensat(AT_FDCWD, entry.path().c_str(), old, 0) == 0 ? 1 : 0;
    }
    ASSERT_TRUE(recordGame(temp.game(), Win).written);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.game().path), {}), 2)
        << leftovers << " files before";  // the records and their lock
}

TEST(FileSafety, AHolderStalledForSecondsKeepsNoGameOutAndHoldsNoneUp) {
    TempFolder temp(true);
    // A disk whose fsync takes 3 s; a holder stopped (Ctrl-Z) for 5 s in its fsync.
    std::int64_t games = 0;
    for (const auto& [fsyncMs, stopped] : {std::pair{3000, 0ms}, std::pair{300, 5000ms}}) {
        const pid_t holder = startChild([&, holdMs = fsyncMs] {
            fsyncHoldMs = holdMs;
            return recordGame(temp.game(), Held).written ? 0 : 1;
        });
        usleep(150'000);
        const auto stop = std::chrono::steady_clock::now();
        kill(holder, stopped > 0ms ? SIGSTOP : 0);
        FileLock probe = lockFile(temp.game().path, "records", 0ms);
        EXPECT_LT(probe.fd, 0) << "the holder has not got the lock";
        unlockFile(probe);
        EXPECT_EQ(gamesAtOnce(temp, 100, LockWait), 100);
        games += 100;
        EXPECT_EQ(gamesOf(temp, Win), games);  // shown while the holder still stalls
        std::this_thread::sleep_until(stop + stopped);
        kill(holder, SIGCONT);
        EXPECT_EQ(exitStatus(holder), 0);
    }
    // Settings: the last change wins, also over a holder that stalls with an older one.
    const SettingRange table[] = {{"x", 0, 9}};
    const pid_t older = startChild([&] {
        fsyncHoldMs = 1500;
        return saveSettings(temp.game(), table, std::vector{1}).empty() ? 0 : 1;
    });
    usleep(150'000);
    EXPECT_TRUE(saveSettings(temp.game(), table, std::vector{2}).empty());
    EXPECT_EQ(exitStatus(older), 0);
    EXPECT_EQ(loadSettings(temp.game(), table).values[0], 2);
    // Stopped at any moment of its writes for longer than another game waits, 100 times.
    std::mt19937 random(std::random_device{}());
    for (int run = 0; run < 100; ++run) {
        const pid_t holder = startChild([&] {
            for (int i = 0; i < 10; ++i) {
                recordGame(temp.game(), Held, 5ms);
            }
            return 0;
        });
        usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
        kill(holder, SIGSTOP);
        EXPECT_EQ(gamesAtOnce(temp, 1, 5ms), 1);
        kill(holder, SIGCONT);
        exitStatus(holder);
    }
    EXPECT_EQ(gamesOf(temp, Win), games + 100);
    EXPECT_EQ(gamesOf(temp, Held), 2 + 100 * 10);
    // The next game folds the journal into the file.
    ASSERT_TRUE(recordGame(temp.game(), Win).written);
    for (const auto& entry : std::filesystem::directory_iterator(temp.game().path)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".records.journal"));
    }
    const RecordsTable file = parseRecords(fileText(temp.file("records")));
    EXPECT_EQ(findRecord(file, Win.mode, Win.boardSize)->games, games + 101);
}

TEST(FileSafety, TwoGamesRecordingAtOnceLoseNothing) {
    TempFolder temp(true);
    const auto thousandGames = [&] {
        int failed = 0;
        for (int i = 0; i < 1000; ++i) {
            failed += recordGame(temp.game(), Win).notes.empty() ? 0 : 1;
            // A game takes a while between two records. A writer that takes the lock again at
            // once could keep a polling one out for over its 1 s wait.
            usleep(500);
        }
        return failed;
    };
    const pid_t first = startChild(thousandGames);
    EXPECT_EQ(exitStatus(startChild(thousandGames)), 0);
    EXPECT_EQ(exitStatus(first), 0);
    EXPECT_EQ(loadRecords(temp.game()).table.records.at(0).games, 2000);
}

}  // namespace
}  // namespace tarnwick::storage
