#include "e2e_support.h"

#include "console/screen.h"
#include "support/screen_assert.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace tarnwick::e2e {

FixedClock::FixedClock(const char* when) {
    for (const char* path : {"/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                             "/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1",
                             "/usr/lib/faketime/libfaketime.so.1"}) {
        if (access(path, R_OK) == 0) {
            setenv("LD_PRELOAD", path, 1);
            setenv("FAKETIME", when, 1);
            setenv("FAKETIME_DONT_FAKE_MONOTONIC", "1", 1);
            // A sanitized game refuses to start when another library is preloaded before
            // its runtime, unless told that the order is intended.
            if (const char* asan = std::getenv("ASAN_OPTIONS"); asan != nullptr) {
                savedAsanOptions_ = asan;
            }
            std::string options = savedAsanOptions_.value_or("");
            options += options.empty() ? "verify_asan_link_order=0" : ":verify_asan_link_order=0";
            setenv("ASAN_OPTIONS", options.c_str(), 1);
            active_ = true;
            return;
        }
    }
}

FixedClock::~FixedClock() {
    if (!active_) {
        return;
    }
    unsetenv("LD_PRELOAD");
    unsetenv("FAKETIME");
    unsetenv("FAKETIME_DONT_FAKE_MONOTONIC");
    if (savedAsanOptions_) {
        setenv("ASAN_OPTIONS", savedAsanOptions_->c_str(), 1);
    } else {
        unsetenv("ASAN_OPTIONS");
    }
}

bool shows(const PtySession& session, int x, int y, std::string_view text) {
    return session.textAt(x, y, 200).compare(0, text.size(), text) == 0;
}

void awaitText(PtySession& session, int x, int y, std::string_view text,
               std::chrono::milliseconds timeout) {
    ASSERT_TRUE(session.waitUntil([&] { return shows(session, x, y, text); }, timeout))
        << "expected \"" << text << "\" at column " << x << ", row " << y << "\n"
        << screenOf(session);
}

std::optional<std::pair<int, int>> findText(const PtySession& session, std::string_view text) {
    const std::string screen = session.screenText();
    const auto at = screen.find(text);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const auto rowStart = screen.rfind('\n', at) + 1;  // npos + 1 is 0
    const int row = static_cast<int>(std::count(screen.begin(), screen.begin() + at, '\n'));
    return std::pair{displayWidth(std::string_view(screen).substr(rowStart, at - rowStart)), row};
}

void checkPlayAtEachFrame(PtySession& session, std::string modeName) {
    const std::string modeLine = "当前模式为：" + (modeName.empty() ? "" : " " + modeName);
    session.checkEachFrame([&session, modeLine, failed = false]() mutable {
        const std::string screen = session.screenText();
        if (failed || screen.find("当前金币") == std::string::npos) {
            return;
        }
        const auto lives = findText(session, "当前生命值：");
        const bool inSight = testing::countOf(screen, "〇") == 1;
        // The mode's line, and after it the hint to the exit, if any.
        std::string modeRow = lives ? session.row(lives->second + 4) : "";
        modeRow = modeRow.substr(0, modeRow.find("  出口 "));
        const bool panelWhole =
            lives && shows(session, lives->first, lives->second + 2, "当前金币 ￥：  ") &&
            shows(session, lives->first, lives->second + 4, modeLine) &&
            modeRow.substr(0, modeRow.find_last_not_of(' ') + 1).ends_with(modeLine) &&
            shows(session, lives->first, lives->second + 6, "当前已装备");
        if (!inSight || !panelWhole) {
            failed = true;
            const char* fault =
                inSight ? "the panel is not whole" : "the player is not in sight once";
            ADD_FAILURE() << fault << "\n" << screenOf(session);
        }
    });
}

void awaitMainMenu(PtySession& session) {
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
}

void changeSetting(PtySession& session, std::string_view keys) {
    awaitMainMenu(session);
    session.sendKeys("2");
    awaitText(session, 40, 10, "地图设置请输入     1");
    session.sendKeys(keys);
    awaitMainMenu(session);
}

void quitFromMenu(PtySession& session) {
    awaitMainMenu(session);
    session.sendKeys("0");
    const auto status = session.waitExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
}

}  // namespace tarnwick::e2e
