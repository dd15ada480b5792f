#include "terminal/terminal_input.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace tarnwick {

namespace {

// Milliseconds to the deadline, rounded up so that a wait never ends early; -1 for none.
int timeoutMs(std::optional<std::chrono::steady_clock::time_point> deadline) {
    if (!deadline) {
        return -1;
    }
    const auto left = *deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) {
        return 0;
    }
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

}  // namespace

WaitResult waitFor(int inputFd, int eventFd,
                   std::optional<std::chrono::steady_clock::time_point> deadline) {
    while (true) {
        std::array<pollfd, 2> fds{{{eventFd, POLLIN, 0}, {inputFd, POLLIN, 0}}};
        const int timeout = timeoutMs(deadline);
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            // The read tells what is wrong with the input; without one, stop waiting.
            return inputFd >= 0 ? WaitResult::Input : WaitResult::Deadline;
        }
        if (fds[0].revents != 0) {
            return WaitResult::Event;
        }
        if (fds[1].revents != 0) {
            return WaitResult::Input;
        }
        if (ready == 0 && timeout >= 0 && timeoutMs(deadline) == 0) {
            return WaitResult::Deadline;
        }
    }
}

ReadResult readKeys(int inputFd, std::string& keys) {
    std::array<char, 4096> buffer;
    const ssize_t got = ::read(inputFd, buffer.data(), buffer.size());
    if (got > 0) {
        keys.append(buffer.data(), static_cast<std::size_t>(got));
        return ReadResult::Keys;
    }
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) {
        return ReadResult::Again;
    }
    // 0: end of input; EIO or ENXIO: the terminal went away; anything else: unreadable.
    return ReadResult::End;
}

void terminalSize(int fd, int& columns, int& rows) {
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
        columns = size.ws_col;
        rows = size.ws_row;
        return;
    }
    columns = 80;
    rows = 24;
}

}  // namespace tarnwick
