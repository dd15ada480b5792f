#include "storage/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace tarnwick::storage {

namespace {

// Between two tries: short against the few milliseconds a write takes under the lock.
constexpr std::chrono::milliseconds PollInterval{1};

}  // namespace

FileLock lockFile(const std::string& folder, const std::string& name,
                  std::chrono::milliseconds wait) {
    const std::string path = folder + "/." + name + ".lock";
    // O_NOFOLLOW: a symbolic link in the lock's place is not followed to create a file.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        return {};
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            close(fd);
            return {};
        }
        std::this_thread::sleep_for(PollInterval);
    }
    return {fd};
}

void unlockFile(FileLock& lock) {
    if (lock.fd >= 0) {
        close(lock.fd);  // closing the only descriptor releases the lock
        lock.fd = -1;
    }
}

}  // namespace tarnwick::storage
