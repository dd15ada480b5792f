// The settings file: where it lives, saved and loaded, and every kind of file that cannot be
// read, which gives defaults and stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    for (const auto& home : {std::optional<std::string>(), std::optional<std::string>("h")}) {
        const StorageFolder none = recordsFolder({home, std::nullopt, std::nullopt});
        EXPECT_EQ(none.path, "");
        EXPECT_FALSE(none.note.empty());
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
