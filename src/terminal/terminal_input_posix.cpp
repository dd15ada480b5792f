#include "terminal/terminal_input.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
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

WaitResult waitFor(int inputFd, bool watchInput, int eventFd,
                   std::optional<std::chrono::steady_clock::time_point> deadline) {
    while (true) {
        std::array<pollfd, 2> fds{{{eventFd, POLLIN, 0}, {inputFd, 0, 0}}};
        if (watchInput) {
            fds[1].events = POLLIN;
        } else if (::isatty(inputFd) != 1) {
            fds[1].fd = -1;  // a pipe or file that ended may still hold keys to read
        }
        const int timeout = timeoutMs(deadline);
        const int ready = ::poll(fds.data(), fds.size(), timeout);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return watchInput ? WaitResult::Input : WaitResult::Hangup;
        }
        if (fds[0].revents != 0) {
            return WaitResult::Event;
        }
        if (fds[1].revents != 0) {
            return watchInput ? WaitResult::Input : WaitResult::Hangup;
        }
        if (ready == 0 && timeout >= 0 && timeoutMs(deadline) == 0) {
            return WaitResult::Deadline;
        }
    }
}

bool inputReady(int inputFd) {
    pollfd fd{inputFd, POLLIN, 0};
    if (::poll(&fd, 1, 0) < 0) {
        return errno != EINTR;
    }
    return fd.revents != 0;
}

ReadResult readKeys(int inputFd, std::string& keys, std::size_t most) {
    std::array<char, 256> buffer;
    const ssize_t got = ::read(inputFd, buffer.data(), std::min(most, buffer.size()));
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
