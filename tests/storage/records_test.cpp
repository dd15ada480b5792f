// The records file after wins, defeats and endless runs, and what a damaged file does.
#include <gtest/gtest.h>

#include "storage/file_lock.h"
#include "storage/records_store.h"
#include "temp_folder.h"

namespace tarnwick::storage {
namespace {

TEST(RecordsFile, WinsDefeatsAndEndlessRunsAddUp) {
    TempFolder temp;
    struct Step {
        FinishedGame game;
        std::optional<std::int64_t> best;
        bool newBest;
    };
    const Step steps[] = {
        {{"timed", 25, false, 0, 0, 4}, std::nullopt, false},  // a defeat
        {{"timed", 25, true, 374, 0, 9}, 374, true},           // the first win
        {{"timed", 25, true, 291, 0, 2}, 291, true},           // faster
        {{"timed", 25, true, 400, 0, 0}, 291, false},          // slower
        {{"endless", 29, false, 0, 7, 30}, std::nullopt, false},
        {{"endless", 29, false, 0, 3, 5}, std::nullopt, false},  // fewer levels
    };
    for (const Step& step : steps) {
        const RecordedGame recorded = recordGame(temp.game(), step.game);
        EXPECT_TRUE(recorded.written && recorded.notes.empty());
        EXPECT_EQ(recorded.after.bestTenths, step.best);
        EXPECT_EQ(recorded.newBestTime, step.newBest);
        EXPECT_EQ(recorded.after.games, recorded.before.games + 1);
    }
    const std::string text = fileText(temp.file("records"));
    EXPECT_NE(text.find("\ntimed 25 4 3 291 0 15\nendless 29 2 0 - 7 35\n"), std::string::npos)
        << text;
    const LoadedRecords loaded = loadRecords(temp.game());
    EXPECT_EQ(loaded.table.records.size(), 2u);
    EXPECT_TRUE(loaded.notes.empty());
    EXPECT_EQ(serializeRecords(loaded.table), text);
}

// On Windows too (LockFileEx, MoveFileExW): a game that finds the file held goes to the
// journal at once, shows with the file, and is folded in once by the next game that holds it.
TEST(RecordsFile, AGameThatFindsTheFileHeldIsJournaledAndCountedOnce) {
    TempFolder temp;
    const FinishedGame win{"timed", 25, true, 300, 0, 1};
    ASSERT_TRUE(recordGame(temp.game(), win).written);
    FileLock held = lockFile(temp.game().path, RecordsFileName);
    ASSERT_GE(held.fd, 0);
    EXPECT_EQ(recordGame(temp.game(), win, std::chrono::milliseconds(20)).after.games, 2);
    EXPECT_EQ(loadRecords(temp.game()).table.records.at(0).games, 2);
    unlockFile(held);
    EXPECT_TRUE(recordGame(temp.game(), win).written);
    EXPECT_EQ(loadRecords(temp.game()).table.records.at(0).games, 3);
    for (const auto& entry : std::filesystem::directory_iterator(utf8Path(temp.game().path))) {
        EXPECT_EQ(entry.path().filename().string().find("journal"), std::string::npos);
    }
}

TEST(RecordsFile, UnreadableLinesAreKeptAndAFileNotTextIsNeverWritten) {
    TempFolder temp;
    const std::string edited =
        "# my records\ntimed 25 1 1 300 0 5\ntimed 25 9 9 1 0 0\nbroken line\nwar 25 1 2 - 0 0\n";
    writeText(temp.file("records"), edited);
    const RecordedGame recorded = recordGame(temp.game(), {"timed", 25, true, 250, 0, 1});
    EXPECT_TRUE(recorded.written);
    EXPECT_EQ(recorded.notes.size(), 1u);  // three lines kept as they are
    EXPECT_EQ(fileText(temp.file("records")),
              "# my records\ntimed 25 2 2 250 0 6\ntimed 25 9 9 1 0 0\nbroken line\n"
              "war 25 1 2 - 0 0\n");
    EXPECT_EQ(loadRecords(temp.game()).table.badLines, (std::vector<int>{3, 4, 5}));

    const std::string binary("timed 25 1 1 300 0 5\n\x7f", 22);
    writeText(temp.file("records"), binary);
    const RecordedGame refused = recordGame(temp.game(), {"timed", 25, true, 250, 0, 1});
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(refused.notes.size(), 1u);
    EXPECT_EQ(refused.after.games, 1);  // the game still sees its own result
    EXPECT_EQ(fileText(temp.file("records")), binary);
}

}  // namespace
}  // namespace tarnwick::storage
