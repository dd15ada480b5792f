// Runs the built game in a pseudo-terminal and reads its screen back through libvterm.
//
// The binary is the one the build made (TARNWICK_BINARY), or the one named by the
// environment variable TARNWICK_E2E_BINARY, so that a packaged binary can be tested too.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct VTerm;
struct VTermScreen;

namespace tarnwick::e2e {

using namespace std::chrono_literals;

// A cell's colours: 0..7 the ANSI colours, -1 the terminal's default.
struct Colours {
    int fg = -1;
    int bg = -1;
    bool operator==(const Colours&) const = default;
};

// Every member has a default, so that a test names only what it sets: {.rows = 24}.
struct SessionOptions {
    int columns = 100;
    int rows = 30;
    // Run the game in its own process group under a tiny job-control shell, so that a stop
    // signal really stops it (a session leader's own group is orphaned, and the kernel
    // discards stop signals sent to orphaned groups).
    bool jobControl = false;
    // Signals the game starts with ignored (as under nohup).
    std::vector<int> ignoredSignals{};
    // Standard input from /dev/null, or closed, instead of the terminal.
    bool inputFromNull = false;
    bool inputClosed = false;
    // The game's command-line arguments.
    std::vector<std::string> arguments{};
    // The folder whose config/ and state/ are the game's XDG_CONFIG_HOME and XDG_STATE_HOME;
    // empty: a fresh one for this session, removed with it, so no test sees another's files.
    std::string filesFolder{};
    // The user and group the game runs as (a test run as root whom file modes must stop).
    std::optional<std::pair<uid_t, gid_t>> user{};
    // Environment variables set for the game (LANG, LOCPATH, ...).
    std::vector<std::pair<std::string, std::string>> environment{};
    // The character set the game writes in (empty: UTF-8); the harness decodes it.
    std::string outputCharset{};
    // Whether the terminal answers the game's cursor position queries (CSI 6n), and with
    // what: the emulator's own cursor position, or this fixed report when it is set.
    bool answerCursorQueries = true;
    std::string cursorReport{};
};

class CharsetDecoder;

class PtySession {
  public:
    explicit PtySession(SessionOptions options = {});
    ~PtySession();
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    static std::string binaryPath();
    // The folder of the game's files (SessionOptions::filesFolder).
    const std::string& filesFolder() const { return options_.filesFolder; }
    // False when no pseudo-terminal could be opened (the test should skip).
    bool started() const { return pid_ > 0; }

    // Reads the game's output until the condition holds or the time runs out.
    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);
    bool waitForText(std::string_view text, std::chrono::milliseconds timeout = 5s);
    // Reads whatever output arrives within the time.
    void settle(std::chrono::milliseconds time = 200ms);
    // Calls the check after each run of output read, when it does not end inside a
    // synchronized frame: at each frame the game sends, unless several come at once.
    void checkEachFrame(std::function<void()> check) { frameCheck_ = std::move(check); }

    // The screen: rows as text (trailing blanks removed), the text at a position, colours.
    std::string row(int y) const;
    std::string screenText() const;
    std::string textAt(int x, int y, int columns) const;
    Colours colours(int x, int y) const;

    // What the game left the terminal in.
    bool altScreen() const { return altScreen_; }
    bool cursorVisible() const { return cursorVisible_; }
    const std::string& title() const { return title_; }
    const std::string& output() const { return output_; }
    // The modes of the game's terminal (c_lflag, c_iflag, ...).
    termios modes() const;
    // Output bytes that did not decode in the output's character set.
    int decodeErrors() const;

    void sendKeys(std::string_view keys);
    // Sends what the terminal's input queue takes now, without waiting; the bytes sent.
    std::size_t sendSome(std::string_view keys);
    // Bytes sent to the game and not yet read by it.
    int pendingInput();
    // Drops the bytes the game has not read yet.
    void flushInput();
    // Sends a signal to the game process.
    void sendSignal(int sig);
    // Changes the pty's size; the kernel sends SIGWINCH to the game.
    void resize(int columns, int rows);
    // Closes the master side: the game's terminal goes away.
    void closePty();
    // The game's process (in job-control mode, the game itself, not the shell).
    pid_t gamePid() const;
    // Whether the game process is stopped.
    bool gameStopped() const;
    // Waits for the game to end; its wait status (see <sys/wait.h>), or none on timeout.
    std::optional<int> waitExit(std::chrono::milliseconds timeout = 5s);

  private:
    // Reads what is available within `wait`; false when the pty has no more to give.
    bool pump(std::chrono::milliseconds wait);
    static int onTermProp(int prop, void* value, void* user);
    // Whether the output read so far ends inside a synchronized frame.
    bool insideFrame();
    // Passes output to the emulator, decoded, and answers the queries in it.
    void feed(std::string_view bytes);
    int slave();

    SessionOptions options_;
    std::string ownFilesFolder_;  // made for this session when none was given
    std::unique_ptr<CharsetDecoder> decoder_;
    std::string splitCharacter_;      // the start of a character whose rest has not come yet
    std::size_t queriesScanned_ = 0;  // output_ looked at for cursor queries up to here
    int slave_ = -1;                  // opened only to look at and flush the input queue
    int master_ = -1;
    pid_t pid_ = -1;
    std::optional<int> status_;
    VTerm* vt_ = nullptr;
    VTermScreen* screen_ = nullptr;
    int columns_;
    int rows_;
    bool altScreen_ = false;
    bool cursorVisible_ = true;
    std::string title_;
    std::string output_;
    std::function<void()> frameCheck_;
    std::size_t framesScanned_ = 0;  // output_ looked at for synchronized frames up to here
    bool inFrame_ = false;
};

}  // namespace tarnwick::e2e
