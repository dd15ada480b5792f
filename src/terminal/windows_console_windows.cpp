#include <windows.h>

#include <cstdlib>
#include <mutex>

#include "terminal/console_keys.h"
#include "terminal/windows_console.h"

namespace tarnwick {

namespace {

// The alternate screen and a hidden cursor while the game runs; colours reset, the cursor
// shown and the screen of before at the end.
constexpr std::wstring_view EnterSequence = L"\x1b[?1049h\x1b[?25l";
constexpr std::wstring_view LeaveSequence = L"\x1b[m\x1b[?25h\x1b[?1049l";
constexpr DWORD OutputMode =
    ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING | DISABLE_NEWLINE_AUTO_RETURN;
// Keys one at a time without echo; Ctrl-C and Ctrl-Break stay signals; size changes come as
// events; quick edit is off, so that a click does not freeze the game's drawing.
constexpr DWORD InputMode = ENABLE_PROCESSED_INPUT | ENABLE_WINDOW_INPUT | ENABLE_EXTENDED_FLAGS;
constexpr DWORD EventsPerRead = 64;

// What the console was before the game, for every way out. Process-wide, because the
// control handler runs on a thread of its own and has no other way to it.
struct SavedConsole {
    HANDLE input = INVALID_HANDLE_VALUE;
    HANDLE output = INVALID_HANDLE_VALUE;
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    UINT codePage = 0;
    UINT outputCodePage = 0;
    std::wstring title;
    bool entered = false;
};
SavedConsole saved;
// A frame and the restoration never cross: after the restoration nothing more is drawn.
std::mutex outputLock;

bool writeConsole(HANDLE output, std::wstring_view text) {
    DWORD written = 0;
    return WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) !=
           0;
}

void leaveConsole() noexcept {
    const std::lock_guard lock(outputLock);
    if (!saved.entered) {
        return;
    }
    saved.entered = false;
    writeConsole(saved.output, LeaveSequence);
    SetConsoleMode(saved.input, saved.inputMode);
    SetConsoleMode(saved.output, saved.outputMode);
    SetConsoleCP(saved.codePage);
    SetConsoleOutputCP(saved.outputCodePage);
    SetConsoleTitleW(saved.title.c_str());
}

// Ctrl-C, Ctrl-Break, the window closing, the user logging off: restore, then let Windows
// end the process as it would.
BOOL WINAPI onControl(DWORD) {
    leaveConsole();
    return FALSE;
}

std::wstring consoleTitle() {
    std::wstring title(1024, L'\0');
    title.resize(GetConsoleTitleW(title.data(), static_cast<DWORD>(title.size())));
    return title;
}

void enterConsole() {
    saved.output = GetStdHandle(STD_OUTPUT_HANDLE);
    // The keys come from the console itself, also when the standard input is redirected.
    saved.input =
        CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    GetConsoleMode(saved.input, &saved.inputMode);
    GetConsoleMode(saved.output, &saved.outputMode);
    saved.codePage = GetConsoleCP();
    saved.outputCodePage = GetConsoleOutputCP();
    saved.title = consoleTitle();
    SetConsoleCtrlHandler(onControl, TRUE);
    std::atexit(leaveConsole);
    const std::lock_guard lock(outputLock);
    SetConsoleCP(CP_UTF8);
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleMode(saved.output, saved.outputMode | OutputMode);
    SetConsoleMode(saved.input, InputMode);
    saved.entered = true;
    writeConsole(saved.output, EnterSequence);
}

}  // namespace

std::wstring wideText(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring text(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

MessageId windowsConsoleRefusal() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(output, &mode)) {
        return MessageId::NotAConsole;
    }
    if (!SetConsoleMode(output, mode | OutputMode)) {
        return MessageId::OldConsole;
    }
    SetConsoleMode(output, mode);
    return MessageId::None;
}

WindowsConsole::WindowsConsole()
    : CanvasConsole(80, 24), tones_([this](Clock::time_point deadline) { waitUntil(deadline); }) {
    enterConsole();
    gone_ = saved.input == INVALID_HANDLE_VALUE;
    checkSize();
}

WindowsConsole::~WindowsConsole() {
    flush();
    leaveConsole();
    SetConsoleCtrlHandler(onControl, FALSE);
    if (saved.input != INVALID_HANDLE_VALUE) {
        CloseHandle(saved.input);
        saved.input = INVALID_HANDLE_VALUE;
    }
}

void WindowsConsole::flush() {
    const std::string frame = nextFrame();
    if (frame.empty()) {
        return;
    }
    const std::wstring text = wideText(frame);
    const std::lock_guard lock(outputLock);
    if (saved.entered) {
        writeConsole(saved.output, text);
    }
}

void WindowsConsole::checkSize() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(saved.output, &info)) {
        return;
    }
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    const int rows = info.srWindow.Bottom - info.srWindow.Top + 1;
    if (columns > 0 && rows > 0 && (columns != columns_ || rows != rows_)) {
        columns_ = columns;
        rows_ = rows;
        sizeChanged();
        flush();
    }
}

void WindowsConsole::takeEvents(unsigned long waitMs) {
    if (gone_) {
        return;
    }
    const DWORD waited = WaitForSingleObject(saved.input, waitMs);
    if (waited == WAIT_FAILED) {
        gone_ = true;
        return;
    }
    DWORD count = 0;
    if (!GetNumberOfConsoleInputEvents(saved.input, &count)) {
        gone_ = true;
        return;
    }
    while (count > 0) {
        INPUT_RECORD records[EventsPerRead];
        DWORD read = 0;
        if (!ReadConsoleInputW(saved.input, records, std::min(count, EventsPerRead), &read) ||
            read == 0) {
            gone_ = true;
            return;
        }
        for (DWORD i = 0; i < read; ++i) {
            if (records[i].EventType == KEY_EVENT) {
                const KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
                addConsoleKeys({key.bKeyDown != 0, key.wVirtualKeyCode,
                                static_cast<char16_t>(key.uChar.UnicodeChar), key.dwControlKeyState,
                                key.wRepeatCount},
                               keys_);
            }
        }
        count -= read;
    }
    // A buffer-size event, or a window moved over a larger buffer (which sends none).
    checkSize();
}

void WindowsConsole::waitUntil(Clock::time_point deadline) {
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        takeEvents(gone_ ? 0 : static_cast<unsigned long>(left));
        if (gone_) {
            Sleep(static_cast<DWORD>(left));
        }
    }
}

void WindowsConsole::holdWhileTooSmall() {
    // Polled: a window that grows over a larger buffer sends no event.
    constexpr unsigned long SizeCheckMs = 100;
    while (!gone_ && view_.playHeldBack()) {
        takeEvents(SizeCheckMs);
    }
}

void WindowsConsole::throwIfGone() const {
    if (gone_ && keys_.empty()) {
        throw EndOfInput{};
    }
}

void WindowsConsole::setTitle(std::string_view title) {
    SetConsoleTitleW(wideText(title).c_str());
}

int WindowsConsole::readKey() {
    flush();
    while (keys_.empty()) {
        throwIfGone();
        takeEvents(INFINITE);
    }
    const int key = keys_.front();
    keys_.pop_front();
    return key;
}

bool WindowsConsole::keyWaiting() {
    takeEvents(0);
    return gone_ || !keys_.empty();
}

void WindowsConsole::sleepMs(int ms) {
    flush();
    holdWhileTooSmall();
    waitUntil(Clock::now() + std::chrono::milliseconds(ms > 0 ? ms : 0));
    holdWhileTooSmall();
}

void WindowsConsole::tone(int hz, int ms) {
    flush();
    tones_.tone(hz, ms);
}

void WindowsConsole::rest(int ms) {
    flush();
    tones_.rest(ms);
}

void WindowsConsole::seedRandom(unsigned seed) {
    random_.seed(seed);
}

int WindowsConsole::nextRandom() {
    return random_.next();
}

}  // namespace tarnwick
