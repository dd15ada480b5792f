// What the writer does when the file system is in its way, and when it is killed or races
// another game: the old file or the new one stays, never a torn one, and no game is lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

#include "storage/file_lock.h"
#include "storage/records_store.h"
#include "storage/settings_store.h"
#include "temp_folder.h"

namespace tarnwick::storage {
namespace {

const FinishedGame Win{"timed", 25, true, 300, 0, 2};

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

    // A lock held by another game is waited for, then skipped with a note.
    FileLock held = lockFile(temp.game().path, "records");
    ASSERT_GE(held.fd, 0);
    const RecordedGame unlocked = recordGame(temp.game(), Win, std::chrono::milliseconds(20));
    EXPECT_TRUE(unlocked.written);
    EXPECT_NE(messageText(unlocked.notes.at(0), false).find("without the lock"), std::string::npos);
    unlockFile(held);

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
