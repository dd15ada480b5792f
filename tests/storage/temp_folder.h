// A fresh folder under $TMPDIR (else /tmp) for one test, removed with all it holds. The fault
// tests, which write thousands of times, ask for one in memory (/dev/shm) where there is one:
// a killed writer and a lock behave alike there, without the disk's fsync time.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/storage_folders.h"

namespace tarnwick::storage {

struct TempFolder {
    explicit TempFolder(bool inMemory = false) {
        const char* tmp = std::getenv("TMPDIR");
        std::string base = tmp && *tmp ? tmp : "/tmp";
        if (inMemory && std::filesystem::is_directory("/dev/shm")) {
            base = "/dev/shm";
        }
        std::string pattern = base + "/tarnwick-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            path = pattern;
        }
    }
    ~TempFolder() {
        if (!path.empty()) {
            std::filesystem::remove_all(path);
        }
    }

    // The game's folder inside: not made yet, as on a first start.
    StorageFolder game() const { return {path + "/state/tarnwick", ""}; }
    std::string file(const std::string& name) const { return game().path + "/" + name; }

    std::string path;
};

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace tarnwick::storage
