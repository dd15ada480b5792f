// The Windows console's keys through the console itself: key events written into its input
// with WriteConsoleInputW are read back as the game reads its keys.
#include <windows.h>

#include <gtest/gtest.h>

#include "terminal/console_key_cases.h"
#include "terminal/windows_console.h"

namespace tarnwick {
namespace {

INPUT_RECORD record(const ConsoleKeyEvent& event) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    key.bKeyDown = event.down;
    key.wRepeatCount = event.repeats;
    key.wVirtualKeyCode = event.virtualKey;
    key.uChar.UnicodeChar = static_cast<wchar_t>(event.character);
    key.dwControlKeyState = event.controls;
    return record;
}

HANDLE consoleInput() {
    return CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

TEST(WindowsConsole, KeysWrittenIntoTheConsoleReachTheGameAsItsKeys) {
    HANDLE input = consoleInput();
    if (input == INVALID_HANDLE_VALUE && AllocConsole()) {
        input = consoleInput();  // run with no console (in CI): one of its own
    }
    ASSERT_NE(input, INVALID_HANDLE_VALUE) << "no console input";
    FlushConsoleInputBuffer(input);
    std::vector<INPUT_RECORD> records;
    for (const ConsoleKeyEvent& event : testing::ConsoleKeyCases) {
        records.push_back(record(event));
        // A resize between the keys changes nothing in them.
        records.push_back(INPUT_RECORD{WINDOW_BUFFER_SIZE_EVENT, {}});
        records.back().Event.WindowBufferSizeEvent.dwSize = {100, 30};
    }
    DWORD written = 0;
    ASSERT_TRUE(
        WriteConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &written));
    ASSERT_EQ(written, records.size());

    WindowsConsole console;
    std::vector<int> keys;
    // The console the test runs in may add keys of its own (a terminal's answers) after these.
    while (keys.size() < testing::ConsoleKeysExpected.size() && console.keyWaiting()) {
        keys.push_back(console.readKey());
    }
    EXPECT_EQ(keys, testing::ConsoleKeysExpected);
    CloseHandle(input);
}

}  // namespace
}  // namespace tarnwick
