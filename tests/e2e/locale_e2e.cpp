// The real binary under a GB18030 locale: its output decodes as GB18030 and shows the menu.
//
// The locale is generated once with localedef (Debian package locales) into the build tree,
// unless the system already has it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <locale.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "e2e_support.h"

namespace tarnwick::e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char* LocaleName = "zh_CN.GB18030";

// Whether the locale loads, looked up in `directory` (empty: the system's locales). Asked in
// a child process: the C library remembers a failed lookup for the life of the process.
bool localeLoads(const std::string& directory) {
    const pid_t child = fork();
    if (child == 0) {
        if (!directory.empty()) {
            setenv("LOCPATH", directory.c_str(), 1);
        }
        _exit(newlocale(LC_CTYPE_MASK, LocaleName, nullptr) != nullptr ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The LOCPATH under which the locale loads ("" for the system's own), generating it when
// needed; none, with the reason in `why`, when it cannot be had.
std::optional<std::string> gb18030Locale(std::string& why) {
    if (localeLoads("")) {
        return "";
    }
    const fs::path directory = TARNWICK_LOCALE_DIR;
    if (localeLoads(directory)) {
        return directory.string();
    }
    // Generated beside its final place and moved there whole, so that a run cut short
    // leaves nothing half made.
    std::error_code error;
    fs::create_directories(directory, error);
    const fs::path partial = directory / ("partial-" + std::to_string(getpid()));
    fs::remove_all(partial, error);
    fs::create_directories(partial, error);
    const std::string command =
        "localedef -i zh_CN -f GB18030 '" + (partial / LocaleName).string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    fs::rename(partial / LocaleName, directory / LocaleName, error);
    fs::remove_all(partial, error);
    if (localeLoads(directory)) {
        return directory.string();
    }
    why = "the locale " + std::string(LocaleName) + " cannot be generated (localedef exit " +
          std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
          "); install the Debian package locales";
    return std::nullopt;
}

TEST(LocaleE2e, Gb18030LocaleGetsGb18030Output) {
    std::string why;
    const auto localePath = gb18030Locale(why);
    if (!localePath) {
        GTEST_SKIP() << why;
    }
    SessionOptions options;
    options.environment = {{"LANG", LocaleName}, {"LC_ALL", LocaleName}};
    if (!localePath->empty()) {
        options.environment.emplace_back("LOCPATH", *localePath);
    }
    options.outputCharset = "GB18030";
    PtySession session(options);
    START_OR_SKIP(session);
    expectMenu(session);
    EXPECT_EQ(session.decodeErrors(), 0);
    const std::string& bytes = session.output();
    EXPECT_NE(bytes.find("\xBB\xB6\xD3\xAD"), std::string::npos);  // 欢迎 in GB18030
    EXPECT_EQ(bytes.find("欢迎"), std::string::npos);              // not in UTF-8
    quitFromMenu(session);
    expectRestored(session);
}

}  // namespace
}  // namespace tarnwick::e2e
