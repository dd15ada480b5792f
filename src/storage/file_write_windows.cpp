// Writing on Windows: the text goes to a temporary file created new in the same folder, is
// written whole and flushed to the disk (FlushFileBuffers), then moved over the old file with
// MoveFileExW (replace, write through). A moment's sharing violation (a reader, a virus
// scanner) is waited out briefly; nothing waits long.
#include <windows.h>

#include <thread>

#include "storage/file_write.h"
#include "storage/journal.h"
#include "storage/windows_text.h"

namespace tarnwick::storage {

namespace {

// A temporary file older than this was left by a writer that died (in ns).
constexpr std::int64_t LeftoverNs = 60'000'000'000;
// How long a replace waits for a file that another program holds open.
constexpr int ReplaceTries = 20;
constexpr std::chrono::milliseconds ReplacePause{10};

std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}

DWORD attributes(const std::string& path) {
    return GetFileAttributesW(widePath(path).c_str());
}

bool isFolder(const std::string& path) {
    const DWORD found = attributes(path);
    return found != INVALID_FILE_ATTRIBUTES && (found & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isPlainFile(DWORD found) {
    return found != INVALID_FILE_ATTRIBUTES &&
           (found &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Fills the temporary file, with the time of its last change when one is given, and makes it
// durable. Returns 0 or the error.
DWORD fillTemporary(HANDLE file, std::string_view text, std::optional<std::int64_t> changedNs) {
    DWORD error = 0;
    while (!text.empty() && error == 0) {
        DWORD done = 0;
        if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr)) {
            error = GetLastError();
        }
        text.remove_prefix(done);
    }
    if (error == 0 && changedNs) {
        const std::uint64_t ticks = fileTimeOf(*changedNs);
        const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        SetFileTime(file, nullptr, nullptr, &time);  // without it the file counts as changed now
    }
    if (error == 0 && !FlushFileBuffers(file)) {
        error = GetLastError();
    }
    if (!CloseHandle(file) && error == 0) {
        error = GetLastError();
    }
    return error;
}

// Writes the text to a new temporary file of folder/name. Returns 0 and its path, or the error.
DWORD writeTemporary(const std::string& folder, const std::string& name, std::string_view text,
                     std::optional<std::int64_t> changedNs, std::string& temporary) {
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder + "/" + temporaryPrefix(name) + newJournalId(journalNow()).substr(21);
        file = CreateFileW(widePath(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            return GetLastError();
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        return ERROR_FILE_EXISTS;
    }
    const DWORD error = fillTemporary(file, text, changedNs);
    if (error != 0) {
        DeleteFileW(widePath(temporary).c_str());
    }
    return error;
}

// Moves the temporary file into the path, replacing what is there. Returns 0 or the error;
// the temporary file is gone either way.
DWORD moveInto(const std::string& temporary, const std::string& path) {
    for (int tries = 1;; ++tries) {
        if (MoveFileExW(widePath(temporary).c_str(), widePath(path).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return 0;
        }
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            tries == ReplaceTries) {
            DeleteFileW(widePath(temporary).c_str());
            return error;
        }
        std::this_thread::sleep_for(ReplacePause);
    }
}

// The files of the folder whose names begin with the prefix, with their attributes and times.
template <typename Visit>
void eachFile(const std::string& folder, const std::string& prefix, Visit visit) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(widePath(folder + "/" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        visit(utf8Text(found.cFileName), found);
    } while (FindNextFileW(search, &found));
    FindClose(search);
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
            return {MessageId::CannotCreateFolder, {level}, errorNumber(GetLastError())};
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

Message inTheWay(const std::string& path) {
    const DWORD found = attributes(path);
    if (found == INVALID_FILE_ATTRIBUTES || isPlainFile(found)) {
        return {};
    }
    return {(found & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? MessageId::SymbolicLink
                                                        : MessageId::NotRegularNotWritten,
            {path}};
}

int writeAndMove(const std::string& folder, const std::string& name, std::string_view text,
                 std::optional<std::int64_t> changedNs, const std::string& path) {
    std::string temporary;
    DWORD error = writeTemporary(folder, name, text, changedNs, temporary);
    if (error == 0) {
        error = moveInto(temporary, path);
    }
    return error == 0 ? 0 : errorNumber(error);
}

void removeJournalEntries(const std::string& folder, const std::string& name,
                          const std::vector<std::string>& ids) {
    for (const std::string& id : ids) {
        DeleteFileW(widePath(folder + "/" + journalPrefix(name) + id).c_str());
    }
}

Message readOnly(const std::string& path, MessageId notKept) {
    const DWORD found = attributes(path);
    const bool locked = isPlainFile(found) && (found & FILE_ATTRIBUTE_READONLY) != 0;
    return locked ? Message{MessageId::NoWritePermission, {path}, 0, notKept} : Message{};
}

void removeLeftovers(const std::string& folder, const std::string& name) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ns = [](const FILETIME& time) {
        return nsSince1970((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
    };
    std::vector<std::string> old;
    eachFile(folder, temporaryPrefix(name), [&](const std::string& file, const auto& found) {
        if (isPlainFile(found.dwFileAttributes) &&
            ns(found.ftLastWriteTime) < ns(now) - LeftoverNs) {
            old.push_back(folder + "/" + file);
        }
    });
    for (const std::string& path : old) {
        DeleteFileW(widePath(path).c_str());
    }
}

}  // namespace tarnwick::storage
