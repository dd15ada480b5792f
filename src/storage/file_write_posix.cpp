#include "storage/file_write.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <vector>

#include "storage/journal.h"

namespace tarnwick::storage {

namespace {

// A temporary file older than this was left by a writer that died.
constexpr time_t LeftoverSeconds = 60;

std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}

// Writes every byte, going on after a short write or a signal. Returns 0 or the error.
int writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t done = write(fd, text.data(), text.size());
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done < 0) {
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(done));
    }
    return 0;
}

// Fills the temporary file, with the time of its last change when one is given, and makes it
// durable. Returns 0 or the error.
int fillTemporary(int fd, std::string_view text, std::optional<std::int64_t> changedNs) {
    int error = writeAll(fd, text);
    if (error == 0 && changedNs) {
        const timespec time{static_cast<time_t>(*changedNs / 1'000'000'000),
                            static_cast<long>(*changedNs % 1'000'000'000)};
        const timespec times[2] = {time, time};
        futimens(fd, times);  // without it the file counts as changed now: still sound
    }
    if (error == 0 && fsync(fd) != 0) {
        error = errno;
    }
    if (close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // the rename is done; a folder that cannot be synced is still consistent
        close(fd);
    }
}

}  // namespace

Message makeFolders(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return {};
    }
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string level = folder.substr(0, end);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            return {MessageId::CannotCreateFolder, {level}, errno};
        }
        if (end == std::string::npos) {
            break;
        }
    }
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return {MessageId::NotAFolder, {folder}};
    }
    return {};
}

Message inTheWay(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) {
        return {};
    }
    return {S_ISLNK(info.st_mode) ? MessageId::SymbolicLink : MessageId::NotRegularNotWritten,
            {path}};
}

int writeAndMove(const std::string& folder, const std::string& name, std::string_view text,
                 std::optional<std::int64_t> changedNs, const std::string& path) {
    std::string temporary = folder + "/" + temporaryPrefix(name) + "XXXXXX";
    const int fd = mkstemp(temporary.data());  // O_EXCL, mode 0600
    if (fd < 0) {
        return errno;
    }
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    int error = fillTemporary(fd, text, changedNs);
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary.c_str());
        return error;
    }
    syncFolder(folder);
    return 0;
}

void removeJournalEntries(const std::string& folder, const std::string& name,
                          const std::vector<std::string>& ids) {
    for (const std::string& id : ids) {
        unlink((folder + "/" + journalPrefix(name) + id).c_str());
    }
    if (!ids.empty()) {
        syncFolder(folder);
    }
}

Message readOnly(const std::string& path, MessageId notKept) {
    struct stat info {};
    // The mode bits tell it also to a process that may write anything (root).
    const bool locked =
        lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ((info.st_mode & 0222) == 0 || (access(path.c_str(), W_OK) != 0 && errno == EACCES));
    return locked ? Message{MessageId::NoWritePermission, {path}, 0, notKept} : Message{};
}

void removeLeftovers(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::string prefix = temporaryPrefix(name);
    std::vector<std::string> old;
    const time_t now = time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        const std::string path = folder + "/" + entry->d_name;
        struct stat info {};
        if (std::string_view(entry->d_name).starts_with(prefix) &&
            lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime < now - LeftoverSeconds) {
            old.push_back(path);
        }
    }
    closedir(dir);
    for (const std::string& path : old) {
        unlink(path.c_str());
    }
}

}  // namespace tarnwick::storage
