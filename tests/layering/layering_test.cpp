// The folders of src/ form layers: a folder includes only from itself and the folders below it.
//   console <- audio <- terminal
//   console <- game <- maze <- play <- menus
//   console <- storage <- game (the settings and records files know nothing of the game;
//   their notes are console messages)
// src/main.cpp stands above them all. The test reads every `#include "..."` under src/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

// Each folder and the folders directly below it.
const std::map<std::string, std::vector<std::string>> FolderBelow{
    {"console", {}},
    {"storage", {"console"}},
    {"audio", {"console"}},
    {"terminal", {"audio"}},
    {"game", {"console", "storage"}},
    {"maze", {"game"}},
    {"play", {"maze"}},
    {"menus", {"play"}},
};

// The folders a file of `folder` may include from: itself and every folder below it. A file
// directly in src/ (folder "") may include from all of them.
std::set<std::string> allowedFor(const std::string& folder) {
    std::set<std::string> folders;
    std::vector<std::string> todo{folder};
    while (!todo.empty()) {
        const std::string at = todo.back();
        todo.pop_back();
        if (FolderBelow.contains(at) && folders.insert(at).second) {
            todo.insert(todo.end(), FolderBelow.at(at).begin(), FolderBelow.at(at).end());
        }
    }
    if (folder.empty()) {
        for (const auto& [name, below] : FolderBelow) {
            folders.insert(name);
        }
    }
    return folders;
}

struct Findings {
    int includes = 0;
    std::vector<std::string> faults;
};

void checkFile(const fs::path& file, const std::string& folder, Findings& findings) {
    if (!folder.empty() && !FolderBelow.contains(folder)) {
        findings.faults.push_back(file.string() + ": the folder " + folder + " has no layer");
    }
    const std::set<std::string> allowed = allowedFor(folder);
    const std::string prefix = "#include \"";
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind(prefix, 0) != 0) {
            continue;
        }
        ++findings.includes;
        const std::string target = line.substr(prefix.size(), line.rfind('"') - prefix.size());
        if (!allowed.contains(target.substr(0, target.find('/')))) {
            findings.faults.push_back(file.string() + ":" + std::to_string(number) + " includes " +
                                      target);
        }
    }
}

TEST(Layering, EveryIncludeUnderSrcComesFromTheSameFolderOrOneBelow) {
    const fs::path src = fs::path(TARNWICK_SOURCE_DIR) / "src";
    Findings findings;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (entry.is_regular_file()) {
            const fs::path relative = entry.path().lexically_relative(src);
            const std::string folder = relative.has_parent_path() ? relative.begin()->string() : "";
            checkFile(entry.path(), folder, findings);
        }
    }
    EXPECT_GT(findings.includes, 100) << "too few includes read under " << src;
    std::string faults;
    for (const std::string& fault : findings.faults) {
        faults += fault + "\n";
    }
    EXPECT_TRUE(faults.empty()) << "includes that leave the layers:\n" << faults;
}

}  // namespace
}  // namespace tarnwick
