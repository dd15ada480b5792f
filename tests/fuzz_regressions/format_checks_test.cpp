// The format checks of fuzz_storage on its seed corpus and on the inputs of its findings
// (tests/fuzz_regressions/inputs/storage-*), in the normal build.
#include "fuzz/format_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarnwick::storage {
namespace {

TEST(FormatChecks, HoldOnTheSeedsAndEveryFinding) {
    struct Inputs {
        const char* folder;
        const char* prefix;
    };
    int inputs = 0;
    for (const Inputs& in :
         {Inputs{TARNWICK_FUZZ_STORAGE_CORPUS, ""}, Inputs{TARNWICK_FUZZ_INPUTS, "storage-"}}) {
        for (const auto& entry : std::filesystem::directory_iterator(in.folder)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(in.prefix)) {
                std::ifstream file(entry.path(), std::ios::binary);
                const std::string bytes{std::istreambuf_iterator<char>(file), {}};
                EXPECT_EQ(checkFormats(bytes), "") << name;
                ++inputs;
            }
        }
    }
    EXPECT_GE(inputs, 2);
}

}  // namespace
}  // namespace tarnwick::storage
