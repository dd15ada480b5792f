// A fresh folder in the temporary folder ($TMPDIR, else /tmp) for one test, removed with all it
// holds. The fault tests, which write thousands of times, ask for one in memory (/dev/shm) where
// there is one: a killed writer and a lock behave alike there, without the disk's fsync time.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include "storage/storage_folders.h"

namespace tarnwick::storage {

struct TempFolder {
    explicit TempFolder(bool inMemory = false) {
        const bool shm = inMemory && std::filesystem::is_directory("/dev/shm");
        path = (shm ? "/dev/shm" : std::filesystem::temp_directory_path()) / "tarnwick-XXXXXX";
        if (mkdtemp(path.data()) == nullptr) {
            throw std::runtime_error("no temporary folder: " + path);
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    // The game's folder inside: not made yet, as on a first start.
    StorageFolder game() const { return {path + "/state/tarnwick", {}}; }
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
