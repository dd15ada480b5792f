// The settings file: where it lives, saved and loaded, and every kind of file that cannot be
// read, which gives defaults and stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/records_store.h"
#include "storage/settings_store.h"
#include "temp_folder.h"

namespace tarnwick::storage {
namespace {

const SettingRange Table[] = {
    {"size", 1, 6}, {"monsters", 1, 7}, {"mode", 1, 5}, {"lives", 1, 9}, {"shop", 0, 1}};

TEST(StorageFolders, XdgVariablesThenHome) {
    const auto settings = [](FolderEnvironment env) { return settingsFolder(env).path; };
    EXPECT_EQ(settings({"/h", "/x", std::nullopt}), "/x/tarnwick");
    EXPECT_EQ(settings({"/h", "", std::nullopt}), "/h/.config/tarnwick");       // empty
    EXPECT_EQ(settings({"/h", "rel/x", std::nullopt}), "/h/.config/tarnwick");  // relative
    EXPECT_EQ(recordsFolder({"/h", "/x", std::nullopt}).path, "/h/.local/state/tarnwick");
    EXPECT_EQ(recordsFolder({"/h", std::nullopt, "/s"}).path, "/s/tarnwick");
    for (const auto& home : {std::optional<std::string>(), std::optional<std::string>("h"),
                             std::optional<std::string>("")}) {
        const StorageFolder none = recordsFolder({home, std::nullopt, std::nullopt});
        EXPECT_EQ(none.path, "");
        const std::string note = messageText(none.note, false);
        EXPECT_EQ(note.starts_with("HOME is empty"), home == "") << note;
        EXPECT_EQ(saveSettings(none, Table, std::vector{1, 1, 1, 1, 1}), Notes{none.note});
    }
}

TEST(SettingsFile, SavedValuesLoadNextTimeWithCommentsAndUnknownNamesKept) {
    TempFolder temp;
    const std::vector<int> first{3, 5, 2, 5, 0};
    EXPECT_TRUE(saveSettings(temp.game(), Table, first).empty());
    // A person adds a comment and a name of a later version, and the game changes one value.
    writeText(temp.file("settings"),
              "# mine\n  lives=5\nsize = 3\ncolour = blue\nmonsters = 5\nmode = 2\nshop = 0\n");
    std::vector<int> second = first;
    second[3] = 7;
    EXPECT_TRUE(saveSettings(temp.game(), Table, second).empty());
    EXPECT_EQ(fileText(temp.file("settings")),
              "# mine\nlives = 7\nsize = 3\ncolour = blue\nmonsters = 5\nmode = 2\nshop = 0\n");
    const LoadedSettings loaded = loadSettings(temp.game(), Table);
    EXPECT_EQ(loaded.values, (std::vector<std::optional<int>>{3, 5, 2, 7, 0}));
    EXPECT_FALSE(loaded.leaveFile);
    EXPECT_TRUE(loaded.notes.empty());

    struct stat info {};
    ASSERT_EQ(stat(temp.game().path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(temp.file("settings").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(SettingsFile, AnEditorsFormIsKeptAndAFileWithoutWritePermissionIsLeftAlone) {
    TempFolder temp;
    // A byte-order mark and CRLF line ends, as an editor on Windows writes: read as nothing
    // and kept, in both files.
    writeText(temp.file("settings"), "\xEF\xBB\xBFsize = 3\r\n# mine\r\n");
    writeText(temp.file("records"), "\xEF\xBB\xBFtimed 25 1 1 300 0 5\r\n");
    EXPECT_EQ(loadSettings(temp.game(), Table).values[0], 3);
    EXPECT_TRUE(saveSettings(temp.game(), Table, std::vector{4, 1, 1, 1, 0}).empty());
    EXPECT_EQ(fileText(temp.file("settings")),
              "\xEF\xBB\xBFsize = 4\r\n# mine\r\nmonsters = 1\r\nmode = 1\r\nlives = 1\r\n"
              "shop = 0\r\n");
    EXPECT_TRUE(recordGame(temp.game(), {"timed", 25, true, 250, 0, 1}).notes.empty());
    EXPECT_EQ(fileText(temp.file("records")), "\xEF\xBB\xBFtimed 25 2 2 250 0 6\r\n");
    // Made read-only by the player: left as it is, with one note each, in either language.
    for (const char* name : {"settings", "records"}) {
        ASSERT_EQ(chmod(temp.file(name).c_str(), 0400), 0);
    }
    const Notes notes = saveSettings(temp.game(), Table, std::vector{5, 1, 1, 1, 0});
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(messageText(notes[0], true),
              temp.file("settings") + " 没有写权限：保持原样；设置没有保存");
    const RecordedGame refused = recordGame(temp.game(), {"timed", 25, true, 200, 0, 1});
    ASSERT_TRUE(!refused.written && refused.notes.size() == 1u);
    EXPECT_EQ(messageText(refused.notes[0], false),
              temp.file("records") +
                  " has no write permission: it is left as it is; this game's record is not kept");
    EXPECT_EQ(loadSettings(temp.game(), Table).values[0], 4);
    EXPECT_EQ(loadRecords(temp.game()).table.records.at(0).games, 2);
    EXPECT_EQ(std::filesystem::status(temp.file("records")).permissions(),
              std::filesystem::perms::owner_read);
}

TEST(SettingsFile, WhatCannotBeReadGetsDefaultsAndTheFileStaysAsItWas) {
    const std::vector<std::string> all{"size", "monsters", "mode", "lives", "shop"};
    struct Case {
        const char* name;
        std::string text;  // the file's bytes; "<dir>" and "<fifo>" put those in its place
        std::vector<std::string> unread;
    };
    const Case cases[] = {
        {"out of range", "size = 4\nlives = 10\nmode = 2\nmode = 9\n", {"mode", "lives"}},
        {"garbage", "size = 4\nsize 5\n= 3\nlives = three\n", {"lives"}},
        {"binary", std::string("size = 4\n\0\x01\x02", 12), all},
        {"huge", "size = 4\n" + std::string(64 * 1024, '#'), all},
        {"directory", "<dir>", all},
        {"fifo", "<fifo>", all},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string path = temp.file("settings");
        std::filesystem::create_directories(temp.game().path);
        if (c.text == "<dir>") {
            mkdir(path.c_str(), 0700);
        } else if (c.text == "<fifo>") {
            mkfifo(path.c_str(), 0600);
        } else {
            writeText(path, c.text);
        }
        const LoadedSettings loaded = loadSettings(temp.game(), Table);
        EXPECT_EQ(loaded.unread, c.unread) << c.name;
        EXPECT_TRUE(loaded.leaveFile) << c.name;
        EXPECT_EQ(loaded.notes.size(), 1u) << c.name;
        EXPECT_EQ(loaded.values[0], c.unread == all ? std::nullopt : std::optional(4)) << c.name;
        if (c.text[0] != '<') {
            EXPECT_EQ(fileText(path), c.text) << c.name;
        }
    }
    TempFolder missing;
    const LoadedSettings none = loadSettings(missing.game(), Table);
    EXPECT_TRUE(none.unread.empty() && none.notes.empty() && !none.leaveFile);
    EXPECT_FALSE(none.values[0]);
    EXPECT_FALSE(std::filesystem::exists(missing.game().path));
}

}  // namespace
}  // namespace tarnwick::storage
