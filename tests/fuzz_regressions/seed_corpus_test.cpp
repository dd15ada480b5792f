// The seed corpus of the fuzz target reaches the screen each input was made for, so that the
// fuzzer starts from every screen (tests/fuzz/make_corpus.py writes the inputs); the inputs of
// the fuzz targets' findings pass their checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/encoding_checks.h"
#include "fuzz/format_checks.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/key_checks.h"
#include "fuzz/render_checks.h"
#include "support/program_run.h"

namespace tarnwick::fuzz {
namespace {

std::vector<std::uint8_t> readInput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SeedInput {
    const char* name;
    const char* shows;  // a text of the screen the input reaches
};

constexpr SeedInput SeedInputs[] = {
    {"menu_only", "1. 开始游戏"},
    {"game_timed", "游戏已暂停，按 0 返回主菜单"},
    {"settings_map", "当前迷宫的大小系数为   3"},
    {"settings_map_out_of_range", "输入1-7中的一个数表示迷宫怪物数量等级"},
    {"mode_autowalk", "YOU WIN !!!"},
    {"mode_endless", "当前模式为： 无尽模式"},
    {"mode_wargod", "当前模式为： 战神模式"},
    {"mode_easter_egg", "购买冲锋枪20￥     请输入 3"},
    {"mode_easter_then_timed", "当前模式为： 限时模式"},
    {"settings_lives", "当前生命值为：  5"},
    {"settings_shop", "当前商店处于   关闭状态"},
    {"settings_other_key", "按其他任意键返回上一级"},
    {"shop_and_weapons", "该装备已购买！"},
    {"shop_poor", "金币不足！！！"},
    {"wargod_weapons_at_edges", "当前已装备    冲锋枪  瑞士军刀"},
    {"many_lives_large_board", "当前生命值 26"},
    {"help", "用尽快的方式躲避怪兽！走出迷宫！加油！胜利属于你！"},
    {"about", "Tarnwick小游戏"},
    {"resize_game", "游戏已暂停，按 0 返回主菜单"},
    {"small_terminal_walk", "当前模式为： 战神模式"},
    {"defeat", "YOU LOSE !!!"},
    {"endless_exit", "你已经闯过 1 关"},
    {"chosen_randoms", "当前模式为： 限时模式"},
};

TEST(SeedCorpus, EachInputReachesItsScreen) {
    for (const SeedInput& seed : SeedInputs) {
        const auto data = readInput(std::string(TARNWICK_FUZZ_CORPUS) + "/" + seed.name);
        const FuzzScript script = decodeFuzzInput(data);
        TestConsole console(script.columns, script.rows);
        loadScript(script, console);
        const auto run = testing::runProgram(console);
        EXPECT_EQ(run.status, 0) << seed.name;
        bool shown = false;
        for (const Screen& screen : run.screensAtKeyReads) {
            shown = shown || screen.dump().find(seed.shows) != std::string::npos;
        }
        EXPECT_TRUE(shown) << seed.name << " never shows " << seed.shows;
    }
}

// The format checks of fuzz_storage hold on its seeds and on the inputs of its findings.
TEST(SeedCorpus, FormatChecksHoldOnTheStorageSeedsAndFindings) {
    int inputs = 0;
    for (const auto& [folder, prefix] : {std::pair{TARNWICK_FUZZ_STORAGE_CORPUS, ""},
                                         std::pair{TARNWICK_FUZZ_INPUTS, "storage-"}}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().starts_with(prefix)) {
                const auto data = readInput(entry.path());
                EXPECT_EQ(storage::checkFormats(std::string(data.begin(), data.end())), "")
                    << entry.path();
                ++inputs;
            }
        }
    }
    EXPECT_GE(inputs, 2);
}

// Each finding of a fuzz target, kept under the target's prefix, passes its target's check;
// the whole program's (no prefix) ends with status 0.
TEST(FuzzFindings, EachInputPassesItsTargetsCheck) {
    using Check = std::string (*)(std::span<const std::uint8_t>);
    const std::pair<std::string_view, Check> Checks[] = {
        {"render-", checkRendering},
        {"keys-", checkKeys},
        {"encoding-",
         [](std::span<const std::uint8_t> data) {
             return checkEncoding({reinterpret_cast<const char*>(data.data()), data.size()});
         }},
    };
    for (const auto& entry : std::filesystem::directory_iterator(TARNWICK_FUZZ_INPUTS)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".") || name.starts_with("storage-")) {
            continue;  // the storage findings have their test above
        }
        const auto data = readInput(entry.path());
        const auto check = std::find_if(std::begin(Checks), std::end(Checks),
                                        [&](const auto& c) { return name.starts_with(c.first); });
        if (check != std::end(Checks)) {
            EXPECT_EQ(check->second(data), "") << name;
        } else {
            EXPECT_EQ(runFuzzInput(data), 0) << name;
        }
    }
}

}  // namespace
}  // namespace tarnwick::fuzz
