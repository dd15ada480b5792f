// The CPU time of the real game while a game idles: no key is pressed for 10 s while the
// ticks, the countdown and the monsters go on. Runs the built binary in a pseudo-terminal and
// reads its user and system time from /proc. Fails when the game takes 1 % of a core or more.
//
// The binary is ../tarnwick beside this program's folder, or the one named by the environment
// variable TARNWICK_BINARY.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto IdleWindow = 10s;
constexpr double TargetPercent = 1.0;

std::string binaryPath() {
    if (const char* path = std::getenv("TARNWICK_BINARY"); path != nullptr && *path != 0) {
        return path;
    }
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "tarnwick").string();
}

// User plus system time of the process, in clock ticks (fields 14 and 15 of its stat line).
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // The command name may hold blanks; the fields after it follow its closing parenthesis.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) {
            utime = std::stol(field);
        } else if (index == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

// Reads what the game sends until the time is up; returns the number of bytes.
std::size_t drain(int master, Clock::time_point until, std::string* seen = nullptr,
                  std::string_view stopAt = {}) {
    std::size_t bytes = 0;
    char buffer[4096];
    while (Clock::now() < until) {
        pollfd fd{master, POLLIN, 0};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        if (poll(&fd, 1, static_cast<int>(left.count()) + 1) <= 0) {
            continue;
        }
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        bytes += static_cast<std::size_t>(got);
        if (seen != nullptr) {
            seen->append(buffer, static_cast<std::size_t>(got));
            if (!stopAt.empty() && seen->find(stopAt) != std::string::npos) {
                break;
            }
        }
    }
    return bytes;
}

bool awaitText(int master, std::string_view text) {
    std::string seen;
    drain(master, Clock::now() + 5s, &seen, text);
    return seen.find(text) != std::string::npos;
}

void send(int master, std::string_view keys) {
    if (write(master, keys.data(), keys.size()) < 0) {
        std::perror("write");
    }
}

}  // namespace

int main() {
    const std::string binary = binaryPath();
    // The game left from the pause screen is recorded: in a folder of this run, not the user's.
    std::string files = (std::filesystem::temp_directory_path() / "tarnwick-idle-XXXXXX").string();
    if (mkdtemp(files.data()) == nullptr) {
        files = "/nonexistent";
    }
    winsize size{};
    size.ws_col = 100;
    size.ws_row = 30;
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid < 0) {
        std::puts("idle_cpu: no pseudo-terminal can be opened; nothing measured");
        return 0;
    }
    if (pid == 0) {
        setenv("TERM", "xterm-256color", 1);
        setenv("XDG_CONFIG_HOME", files.c_str(), 1);
        setenv("XDG_STATE_HOME", files.c_str(), 1);
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    bool ok = awaitText(master, "退出游戏请输入");
    if (ok) {
        send(master, "1");
        ok = awaitText(master, "当前模式为");
    }
    if (!ok) {
        std::printf("idle_cpu: %s did not start a game\n", binary.c_str());
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::filesystem::remove_all(files);
        return 1;
    }
    drain(master, Clock::now() + 1s);  // let the first paint settle
    const long before = cpuTicks(pid);
    const auto start = Clock::now();
    const std::size_t bytes = drain(master, start + IdleWindow);
    const long after = cpuTicks(pid);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double percent = 100.0 * static_cast<double>(after - before) /
                           static_cast<double>(sysconf(_SC_CLK_TCK)) / seconds;

    send(master, "000");  // pause, leave the game, quit
    drain(master, Clock::now() + 1s);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    std::error_code ignored;
    std::filesystem::remove_all(files, ignored);

    std::printf(
        "idle game: %.2f %% of a core over %.1f s (%ld clock ticks), %zu bytes sent "
        "(%.0f B/s); target under %.1f %%\n",
        percent, seconds, after - before, bytes, static_cast<double>(bytes) / seconds,
        TargetPercent);
    return percent < TargetPercent ? 0 : 1;
}
