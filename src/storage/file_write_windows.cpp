// Writing on Windows: the text goes to a temporary file created new in the same folder, is
// written whole and flushed to the disk (FlushFileBuffers), then moved over the old file with
// MoveFileExW (replace, write through). A moment's sharing violation (a reader, a virus
// scanner) is waited out briefly; nothing waits long.
#include <windows.h>

#include <thread>

#include "storage/file_read.h"
#include "storage/file_write.h"
#include "storage/windows_text.h"

namespace tarnwick::storage {

namespace {

// A temporary file older than this was left by a writer that died (100 ns units).
constexpr ULONGLONG LeftoverAge = 60ULL * 10'000'000ULL;
// How long a replace waits for a file that another program holds open.
constexpr int ReplaceTries = 20;
constexpr std::chrono::milliseconds ReplacePause{10};

std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}

Message systemNote(MessageId id, const std::string& path, DWORD error) {
    return {id, {path}, errorNumber(error)};
}

DWORD attributes(const std::string& path) {
    return GetFileAttributesW(widePath(path).c_str());
}

bool isFolder(const std::string& path) {
    const DWORD found = attributes(path);
    return found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What stands in the file's place, when the game must not write over it.
Message refusal(const std::string& path) {
    const DWORD found = attributes(path);
    if (found == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    if ((found & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return {MessageId::SymbolicLink, {path}};
    }
    if ((found & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return {MessageId::NotRegularNotWritten, {path}};
    }
    return {};
}

// Creates a temporary file of its own beside the file; its path is left in `temporary`.
HANDLE createTemporary(const std::string& folder, const std::string& name, std::string& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned long long tag =
            GetTickCount64() * 7919ULL + GetCurrentProcessId() * 104729ULL + ++counter;
        temporary = folder + "/" + temporaryPrefix(name) + std::to_string(tag % 1'000'000);
        const HANDLE file = CreateFileW(widePath(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Fills the temporary file and makes it durable. Returns 0 or the error.
DWORD fillTemporary(HANDLE file, std::string_view text) {
    DWORD error = 0;
    while (!text.empty() && error == 0) {
        DWORD done = 0;
        if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr)) {
            error = GetLastError();
        }
        text.remove_prefix(done);
    }
    if (error == 0 && !FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == 0) {
        error = GetLastError();
    }
    return error;
}

DWORD moveOver(const std::string& temporary, const std::string& path) {
    for (int tries = 1;; ++tries) {
        if (MoveFileExW(widePath(temporary).c_str(), widePath(path).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return 0;
        }
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            tries == ReplaceTries) {
            return error;
        }
        std::this_thread::sleep_for(ReplacePause);
    }
}

}  // namespace

Message makeFolders(const std::string& folder) {
    if (isFolder(folder)) {
        return {};
    }
    // Each level from the first below the drive or share; levels that exist are passed.
    for (std::size_t end = folder.find_first_of("/\\", 1);;
         end = folder.find_first_of("/\\", end + 1)) {
        const std::string level = folder.substr(0, end);
        if (!level.empty() && level.back() != ':' && !isFolder(level) &&
            !CreateDirectoryW(widePath(level).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return systemNote(MessageId::CannotCreateFolder, level, GetLastError());
        }
        if (end == std::string::npos) {
            break;
        }
    }
    if (!isFolder(folder)) {
        return {MessageId::NotAFolder, {folder}};
    }
    return {};
}

Message replaceFile(const std::string& folder, const std::string& name, std::string_view text) {
    const std::string path = folder + "/" + name;
    if (text.size() > MaxFileBytes) {
        return {MessageId::WouldBeTooLarge, {path}};
    }
    if (Message note = makeFolders(folder); !note.empty()) {
        return note;
    }
    if (Message note = refusal(path); !note.empty()) {
        return note;
    }
    std::string temporary;
    const HANDLE file = createTemporary(folder, name, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return systemNote(MessageId::CannotWrite, path, GetLastError());
    }
    DWORD error = fillTemporary(file, text);
    if (error == 0) {
        error = moveOver(temporary, path);
    }
    if (error != 0) {
        DeleteFileW(widePath(temporary).c_str());
        return systemNote(MessageId::CannotWrite, path, error);
    }
    return {};
}

void removeLeftovers(const std::string& folder, const std::string& name) {
    const std::string prefix = temporaryPrefix(name);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(widePath(folder + "/" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                0 &&
            ticks(found.ftLastWriteTime) + LeftoverAge < ticks(now)) {
            DeleteFileW(widePath(folder + "/" + utf8Text(found.cFileName)).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace tarnwick::storage
