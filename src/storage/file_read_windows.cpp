// Reading on Windows: the file is opened with every sharing mode, so that a writer may
// replace it meanwhile (as a rename does on Linux), and read only when it is a file on disk.
#include <windows.h>

#include "storage/file_read.h"
#include "storage/windows_text.h"

namespace tarnwick::storage {

namespace {

FileRead failed(ReadOutcome outcome, MessageId id, const std::string& path, int error = 0) {
    return {outcome, "", {id, {path}, error}, {}, 0};
}

FileRead cannotRead(const std::string& path, DWORD error) {
    return failed(ReadOutcome::Unreadable, MessageId::CannotRead, path, errorNumber(error));
}

FileRead tooLarge(const std::string& path) {
    return failed(ReadOutcome::TooLarge, MessageId::TooLarge, path);
}

FileRead readOpenFile(HANDLE file, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failed(ReadOutcome::Unreadable, MessageId::NotRegularNotRead, path);
    }
    if (info.nFileSizeHigh != 0 || info.nFileSizeLow > MaxFileBytes) {
        return tooLarge(path);
    }
    FileRead result{ReadOutcome::Read, "", {}, {}, 0};
    char buffer[8192];
    // Up to one byte more than the limit, so that a file that grew past it is seen.
    while (result.text.size() <= MaxFileBytes) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            return cannotRead(path, GetLastError());
        }
        if (got == 0) {
            break;
        }
        result.text.append(buffer, got);
    }
    if (result.text.size() > MaxFileBytes) {
        return tooLarge(path);
    }
    if (!isText(result.text)) {
        return failed(ReadOutcome::NotText, MessageId::NotText, path);
    }
    result.form = formOf(result.text);
    result.text = plainText(result.text);
    result.changedNs = nsSince1970((std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                   info.ftLastWriteTime.dwLowDateTime);
    return result;
}

}  // namespace

FileRead readGameFile(const std::string& path) {
    const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? FileRead{}
                   : cannotRead(path, error);
    }
    FileRead result = readOpenFile(file, path);
    CloseHandle(file);
    return result;
}

std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(widePath(folder + "/" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        // The search ignores case; the game's names do not.
        if (std::string name = utf8Text(found.cFileName); name.starts_with(prefix)) {
            names.push_back(std::move(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace tarnwick::storage
