#include "terminal/terminal_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

#include "terminal/terminal_modes.h"

namespace tarnwick {

namespace {

constexpr char EventResize = 'W';
constexpr char EventContinue = 'C';

constexpr std::array EndingSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr std::array FatalSignals{SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr int HandledCount = 4 + 5 + 2 + 1;  // ending, fatal, events, SIGTSTP

int pipeRead = -1;
int pipeWrite = -1;

struct Saved {
    int signal = 0;
    struct sigaction action {};
};
std::array<Saved, HandledCount> savedActions{};
int savedCount = 0;

void notify(char event) {
    const int savedErrno = errno;
    [[maybe_unused]] const ssize_t ignored = ::write(pipeWrite, &event, 1);
    errno = savedErrno;
}

// Sets the default action of the signal, unblocks it and raises it.
void raiseWithDefault(int sig) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(sig, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    raise(sig);
}

// Ending and fatal signals alike: restore the terminal, then the signal's own action.
void onEnding(int sig) {
    leaveTerminal();
    raiseWithDefault(sig);
}

void onStop(int sig);

void setHandler(int sig, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(sig, &action, nullptr);
}

void onStop(int sig) {
    const int savedErrno = errno;
    leaveTerminal();
    raiseWithDefault(sig);  // stops here until SIGCONT
    setHandler(sig, onStop);
    // Take the terminal back. In an orphaned process group the kernel discards the stop and
    // no SIGCONT follows, so this cannot wait for one.
    notify(EventContinue);
    errno = savedErrno;
}

void onResize(int) {
    notify(EventResize);
}

void onContinue(int) {
    notify(EventContinue);
}

// Installs the handler unless the signal was ignored at start; remembers the old action.
void install(int sig, void (*handler)(int), bool keepIgnored) {
    Saved& saved = savedActions[static_cast<std::size_t>(savedCount++)];
    saved.signal = sig;
    sigaction(sig, nullptr, &saved.action);
    if (keepIgnored && saved.action.sa_handler == SIG_IGN) {
        return;
    }
    setHandler(sig, handler);
}

}  // namespace

int installSignalHandlers() {
    if (pipeRead < 0) {
        int fds[2];
        if (::pipe(fds) != 0) {
            return -1;
        }
        for (const int fd : fds) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        pipeRead = fds[0];
        pipeWrite = fds[1];
    }
    savedCount = 0;
    for (const int sig : EndingSignals) {
        install(sig, onEnding, true);
    }
    install(SIGTSTP, onStop, true);
    for (const int sig : FatalSignals) {
        install(sig, onEnding, false);
    }
    install(SIGWINCH, onResize, false);
    install(SIGCONT, onContinue, false);
    return pipeRead;
}

void removeSignalHandlers() {
    for (int i = savedCount - 1; i >= 0; --i) {
        const Saved& saved = savedActions[static_cast<std::size_t>(i)];
        sigaction(saved.signal, &saved.action, nullptr);
    }
    savedCount = 0;
}

SignalEvents takeSignalEvents() {
    SignalEvents events;
    char buffer[64];
    ssize_t got = 0;
    while ((got = ::read(pipeRead, buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < got; ++i) {
            events.resized = events.resized || buffer[i] == EventResize;
            events.continued = events.continued || buffer[i] == EventContinue;
        }
    }
    return events;
}

}  // namespace tarnwick
