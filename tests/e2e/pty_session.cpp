#include "pty_session.h"

#include "charset_decoder.h"
#include "console/screen.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vterm.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tarnwick::e2e {

namespace {

// In the child: a clean signal state, then the game.
[[noreturn]] void execGame(const SessionOptions& options, const std::string& binary) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int sig = 1; sig < NSIG; ++sig) {
        std::signal(sig, SIG_DFL);
    }
    for (const int sig : options.ignoredSignals) {
        std::signal(sig, SIG_IGN);
    }
    if (options.inputFromNull) {
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        close(null);
    }
    if (options.inputClosed) {
        close(STDIN_FILENO);
    }
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);  // fatal signals in tests leave no core files
    if (options.user && (setgroups(0, nullptr) != 0 || setgid(options.user->second) != 0 ||
                         setuid(options.user->first) != 0)) {
        _exit(126);
    }
    setenv("TERM", "xterm-256color", 1);
    setenv("XDG_CONFIG_HOME", (options.filesFolder + "/config").c_str(), 1);
    setenv("XDG_STATE_HOME", (options.filesFolder + "/state").c_str(), 1);
    for (const auto& [name, value] : options.environment) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& argument : options.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
}

// In the child: a tiny shell that runs the game as a foreground job and ends as it ended.
[[noreturn]] void runJobShell(const SessionOptions& options, const std::string& binary) {
    std::signal(SIGTTOU, SIG_IGN);
    const pid_t game = fork();
    if (game == 0) {
        setpgid(0, 0);
        tcsetpgrp(STDIN_FILENO, getpid());
        execGame(options, binary);
    }
    setpgid(game, game);
    tcsetpgrp(STDIN_FILENO, game);
    int status = 0;
    while (waitpid(game, &status, 0) < 0) {
    }
    if (WIFSIGNALED(status)) {
        std::signal(WTERMSIG(status), SIG_DFL);
        kill(getpid(), WTERMSIG(status));
    }
    _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 125);
}

// The length of the UTF-8 text without a character cut off at its end.
std::size_t wholeCharacters(std::string_view text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) != 0x80) {  // the last lead byte
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            return length > back ? text.size() - back : text.size();
        }
    }
    return text.size();
}

}  // namespace

std::string PtySession::binaryPath() {
    if (const char* path = std::getenv("TARNWICK_E2E_BINARY"); path != nullptr && *path != 0) {
        return path;
    }
    return TARNWICK_BINARY;
}

PtySession::PtySession(SessionOptions options)
    : options_(options), columns_(options.columns), rows_(options.rows) {
    std::string binary = binaryPath();
    if (options_.filesFolder.empty()) {
        std::string folder = std::filesystem::temp_directory_path() / "tarnwick-e2e-XXXXXX";
        // Without one the game keeps nothing rather than touch the user's files.
        ownFilesFolder_ = mkdtemp(folder.data()) != nullptr ? folder : "";
        options_.filesFolder = ownFilesFolder_.empty() ? "/nonexistent" : ownFilesFolder_;
    }
    if (options_.user) {
        // Another user may not reach the build tree (a checkout in a folder only root enters):
        // that user runs a copy kept in the files folder, which the test gave to that user.
        const std::string copy = options_.filesFolder + "/tarnwick";
        std::error_code error;
        std::filesystem::copy_file(binary, copy, std::filesystem::copy_options::overwrite_existing,
                                   error);
        if (!error) {
            binary = copy;
        }
    }
    winsize size{static_cast<unsigned short>(rows_), static_cast<unsigned short>(columns_), 0, 0};
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid == 0) {
        if (options_.jobControl) {
            runJobShell(options_, binary);
        }
        execGame(options_, binary);
    }
    if (pid < 0) {
        return;
    }
    pid_ = pid;
    master_ = master;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

    vt_ = vterm_new(rows_, columns_);
    vterm_set_utf8(vt_, 1);
    screen_ = vterm_obtain_screen(vt_);
    static const VTermScreenCallbacks callbacks = [] {
        VTermScreenCallbacks c{};
        c.settermprop = [](VTermProp prop, VTermValue* value, void* user) {
            return onTermProp(prop, value, user);
        };
        return c;
    }();
    vterm_screen_set_callbacks(screen_, &callbacks, this);
    vterm_screen_enable_altscreen(screen_, 1);
    vterm_screen_reset(screen_, 1);
    if (options_.answerCursorQueries && options_.cursorReport.empty()) {
        vterm_output_set_callback(
            vt_,
            [](const char* bytes, std::size_t length, void* user) {
                static_cast<PtySession*>(user)->sendKeys(std::string_view(bytes, length));
            },
            this);
    }
    if (!options_.outputCharset.empty()) {
        decoder_ = std::make_unique<CharsetDecoder>(options_.outputCharset);
    }
}

PtySession::~PtySession() {
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        if (const pid_t game = gamePid(); game > 0 && game != pid_) {
            kill(game, SIGKILL);
        }
        waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) {
        close(master_);
    }
    if (slave_ >= 0) {
        close(slave_);
    }
    if (vt_ != nullptr) {
        vterm_free(vt_);
    }
    if (!ownFilesFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(ownFilesFolder_, ignored);
    }
}

int PtySession::onTermProp(int prop, void* value, void* user) {
    auto* self = static_cast<PtySession*>(user);
    const auto* v = static_cast<const VTermValue*>(value);
    switch (prop) {
        case VTERM_PROP_ALTSCREEN:
            self->altScreen_ = v->boolean != 0;
            break;
        case VTERM_PROP_CURSORVISIBLE:
            self->cursorVisible_ = v->boolean != 0;
            break;
        case VTERM_PROP_TITLE:
            self->title_ = v->string != nullptr ? v->string : "";
            break;
        default:
            break;
    }
    return 1;
}

bool PtySession::pump(std::chrono::milliseconds wait) {
    if (master_ < 0) {
        return false;
    }
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(wait.count())) <= 0) {
        return true;
    }
    char buffer[4096];
    while (true) {
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got > 0) {
            feed(std::string_view(buffer, static_cast<std::size_t>(got)));
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        // EAGAIN: all read for now; EIO or 0: the game closed its side.
        const bool open = got < 0 && errno == EAGAIN;
        if (open && frameCheck_ && !insideFrame()) {
            frameCheck_();
        }
        return open;
    }
}

bool PtySession::insideFrame() {
    constexpr std::string_view Start = "\x1b[?2026h";
    constexpr std::string_view End = "\x1b[?2026l";
    const std::string_view unseen = std::string_view(output_).substr(
        framesScanned_ > Start.size() ? framesScanned_ - Start.size() : 0);
    const auto start = unseen.rfind(Start);
    const auto end = unseen.rfind(End);
    if (start != std::string_view::npos || end != std::string_view::npos) {
        inFrame_ =
            end == std::string_view::npos || (start != std::string_view::npos && start > end);
    }
    framesScanned_ = output_.size();
    return inFrame_;
}

void PtySession::feed(std::string_view bytes) {
    output_.append(bytes);
    // libvterm shows a character split across two writes as two bad ones: the part of one
    // that a read cut off waits for the rest.
    std::string text = splitCharacter_ + (decoder_ ? decoder_->decode(bytes) : std::string(bytes));
    const std::size_t whole = wholeCharacters(text);
    splitCharacter_ = text.substr(whole);
    vterm_input_write(vt_, text.data(), whole);
    if (!options_.answerCursorQueries || options_.cursorReport.empty()) {
        return;
    }
    constexpr std::string_view Query = "\x1b[6n";
    for (auto at = output_.find(Query, queriesScanned_); at != std::string::npos;
         at = output_.find(Query, queriesScanned_)) {
        sendKeys(options_.cursorReport);
        queriesScanned_ = at + Query.size();
    }
    if (output_.size() >= Query.size()) {
        queriesScanned_ = std::max(queriesScanned_, output_.size() - Query.size() + 1);
    }
}

int PtySession::decodeErrors() const {
    return decoder_ ? decoder_->errors() : 0;
}

bool PtySession::waitUntil(const std::function<bool()>& condition,
                           std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        if (!pump(10ms)) {
            std::this_thread::sleep_for(5ms);
        }
    }
    return true;
}

bool PtySession::waitForText(std::string_view text, std::chrono::milliseconds timeout) {
    return waitUntil([&] { return screenText().find(text) != std::string::npos; }, timeout);
}

void PtySession::settle(std::chrono::milliseconds time) {
    waitUntil([] { return false; }, time);
}

std::string PtySession::textAt(int x, int y, int columns) const {
    std::string out;
    for (int i = x; i < x + columns && i < columns_;) {
        VTermScreenCell cell{};
        vterm_screen_get_cell(screen_, VTermPos{y, i}, &cell);
        appendUtf8(out, cell.chars[0] == 0 ? U' ' : cell.chars[0]);
        i += cell.width > 1 ? cell.width : 1;
    }
    return out;
}

std::string PtySession::row(int y) const {
    std::string out = textAt(0, y, columns_);
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

std::string PtySession::screenText() const {
    std::string out;
    for (int y = 0; y < rows_; ++y) {
        out += row(y) + '\n';
    }
    return out;
}

Colours PtySession::colours(int x, int y) const {
    VTermScreenCell cell{};
    vterm_screen_get_cell(screen_, VTermPos{y, x}, &cell);
    Colours c;
    if (!VTERM_COLOR_IS_DEFAULT_FG(&cell.fg) && VTERM_COLOR_IS_INDEXED(&cell.fg)) {
        c.fg = cell.fg.indexed.idx;
    }
    if (!VTERM_COLOR_IS_DEFAULT_BG(&cell.bg) && VTERM_COLOR_IS_INDEXED(&cell.bg)) {
        c.bg = cell.bg.indexed.idx;
    }
    return c;
}

void PtySession::sendKeys(std::string_view keys) {
    while (!keys.empty()) {
        const ssize_t put = write(master_, keys.data(), keys.size());
        if (put < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return;
        }
        keys.remove_prefix(static_cast<std::size_t>(put));
    }
}

std::size_t PtySession::sendSome(std::string_view keys) {
    const ssize_t put = write(master_, keys.data(), keys.size());
    return put > 0 ? static_cast<std::size_t>(put) : 0;
}

int PtySession::slave() {
    if (slave_ < 0 && master_ >= 0) {
        if (const char* name = ptsname(master_); name != nullptr) {
            slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        }
    }
    return slave_;
}

int PtySession::pendingInput() {
    int count = 0;
    return ioctl(slave(), TIOCINQ, &count) == 0 ? count : 0;
}

void PtySession::flushInput() {
    tcflush(slave(), TCIFLUSH);
}

void PtySession::sendSignal(int sig) {
    kill(gamePid(), sig);
}

void PtySession::resize(int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    vterm_set_size(vt_, rows, columns);
    winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
    ioctl(master_, TIOCSWINSZ, &size);
}

void PtySession::closePty() {
    pump(0ms);
    close(master_);
    master_ = -1;
}

pid_t PtySession::gamePid() const {
    if (master_ >= 0) {
        const pid_t group = tcgetpgrp(master_);
        if (group > 0) {
            return group;
        }
    }
    return pid_;
}

termios PtySession::modes() const {
    termios current{};
    tcgetattr(master_, &current);  // on a pty master: the modes of the game's side
    return current;
}

bool PtySession::gameStopped() const {
    std::ifstream stat("/proc/" + std::to_string(gamePid()) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'T';
}

std::optional<int> PtySession::waitExit(std::chrono::milliseconds timeout) {
    const auto ended = [this] {
        int status = 0;
        if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = status;
        }
        return status_.has_value();
    };
    if (!waitUntil(ended, timeout)) {
        return std::nullopt;
    }
    while (pump(0ms) && master_ >= 0) {
        pollfd fd{master_, POLLIN, 0};
        if (poll(&fd, 1, 0) <= 0) {
            break;
        }
    }
    return status_;
}

}  // namespace tarnwick::e2e
