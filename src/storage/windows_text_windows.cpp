#include <windows.h>

#include <cerrno>

#include "storage/windows_text.h"

namespace tarnwick::storage {

std::wstring widePath(const std::string& utf8) {
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string utf8Text(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}

int errorNumber(unsigned long error) {
    struct Known {
        DWORD windows;
        int number;
    };
    static constexpr Known Errors[]{
        {ERROR_FILE_NOT_FOUND, ENOENT},
        {ERROR_PATH_NOT_FOUND, ENOENT},
        {ERROR_ACCESS_DENIED, EACCES},
        {ERROR_SHARING_VIOLATION, EACCES},
        {ERROR_LOCK_VIOLATION, EACCES},
        {ERROR_WRITE_PROTECT, EROFS},
        {ERROR_DISK_FULL, ENOSPC},
        {ERROR_HANDLE_DISK_FULL, ENOSPC},
        {ERROR_DIRECTORY, ENOTDIR},
        {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
        {ERROR_INVALID_NAME, EINVAL},
        {ERROR_NOT_READY, EIO},
        {ERROR_CRC, EIO},
        {ERROR_FILE_EXISTS, EEXIST},
        {ERROR_ALREADY_EXISTS, EEXIST},
        {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    };
    for (const Known& known : Errors) {
        if (known.windows == error) {
            return known.number;
        }
    }
    return EIO;
}

namespace {

// 1970-01-01 as a file time.
constexpr std::int64_t UnixEpoch = 116'444'736'000'000'000;

}  // namespace

std::int64_t nsSince1970(std::uint64_t fileTime) {
    return (static_cast<std::int64_t>(fileTime) - UnixEpoch) * 100;
}

std::uint64_t fileTimeOf(std::int64_t nsSince1970) {
    return static_cast<std::uint64_t>(nsSince1970 / 100 + UnixEpoch);
}

}  // namespace tarnwick::storage
