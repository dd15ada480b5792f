// The lock on Windows: LockFileEx on the lock file, asked for without waiting, again and
// again. The handle is kept as a C runtime descriptor, so that the lock looks as on Linux;
// closing it closes the handle, which releases the lock.
#include <io.h>
#include <windows.h>

#include <thread>

#include "storage/file_lock.h"
#include "storage/windows_text.h"

namespace tarnwick::storage {

namespace {

constexpr std::chrono::milliseconds PollInterval{1};

bool tryLock(HANDLE file) {
    OVERLAPPED whole{};
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) !=
           0;
}

}  // namespace

FileLock lockFile(const std::string& folder, const std::string& name,
                  std::chrono::milliseconds wait) {
    const std::string path = folder + "/." + name + ".lock";
    // A link in the lock's place is opened as itself, not followed.
    const HANDLE file =
        CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!tryLock(file)) {
        const DWORD error = GetLastError();
        if ((error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) ||
            std::chrono::steady_clock::now() >= deadline) {
            CloseHandle(file);
            return {};
        }
        std::this_thread::sleep_for(PollInterval);
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    if (fd < 0) {
        CloseHandle(file);
        return {};
    }
    return {fd};
}

void unlockFile(FileLock& lock) {
    if (lock.fd >= 0) {
        _close(lock.fd);
        lock.fd = -1;
    }
}

}  // namespace tarnwick::storage
