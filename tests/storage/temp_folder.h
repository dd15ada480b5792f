// A fresh folder in the temporary folder ($TMPDIR, else /tmp; %TEMP% on Windows) for one test,
// removed with all it holds. The fault tests, which write thousands of times, ask for one in
// memory (/dev/shm) where there is one: a killed writer and a lock behave alike there, without
// the disk's fsync time. The game's folder inside is named in Chinese, as a user's folder may
// be: a path that went through a narrow call of Windows would come out mangled.
#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include "storage/storage_folders.h"

namespace tarnwick::storage {

// A path given in UTF-8, as the game's paths are.
inline std::filesystem::path utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

struct TempFolder {
    explicit TempFolder(bool inMemory = false) {
        const bool shm = inMemory && std::filesystem::is_directory("/dev/shm");
        const std::filesystem::path base =
            shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
        static unsigned made = 0;
        const auto tag = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int tries = 0; tries < 100; ++tries) {
            const std::filesystem::path folder =
                base /
                ("tarnwick-" + std::to_string(tag % 1'000'000'007) + "-" + std::to_string(++made));
            std::error_code error;
            if (std::filesystem::create_directory(folder, error)) {
                const std::u8string utf8 = folder.u8string();
                path.assign(utf8.begin(), utf8.end());
                return;
            }
        }
        throw std::runtime_error("no temporary folder in " + base.string());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(utf8Path(path), ignored);
    }

    // The game's folder inside: not made yet, as on a first start.
    StorageFolder game() const { return {path + "/存档/tarnwick", {}}; }
    std::string file(const std::string& name) const { return game().path + "/" + name; }

    std::string path;
};

inline std::string fileText(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(utf8Path(path).parent_path());
    std::ofstream(utf8Path(path), std::ios::binary) << text;
}

}  // namespace tarnwick::storage
