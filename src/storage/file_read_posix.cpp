#include "storage/file_read.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick::storage {

namespace {

FileRead failed(ReadOutcome outcome, MessageId id, const std::string& path, int error = 0) {
    return {outcome, "", {id, {path}, error}, {}, 0};
}

// Reads up to one byte more than the limit, so that a file that grew past it is seen.
ReadOutcome readAll(int fd, std::string& text, int& error) {
    char buffer[8192];
    while (text.size() <= MaxFileBytes) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
            return ReadOutcome::Unreadable;
        }
        if (got == 0) {
            return ReadOutcome::Read;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return ReadOutcome::TooLarge;
}

FileRead cannotRead(const std::string& path, int error) {
    return failed(ReadOutcome::Unreadable, MessageId::CannotRead, path, error);
}

FileRead tooLarge(const std::string& path) {
    return failed(ReadOutcome::TooLarge, MessageId::TooLarge, path);
}

FileRead readOpenFile(int fd, const std::string& path) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        return cannotRead(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return failed(ReadOutcome::Unreadable, MessageId::NotRegularNotRead, path);
    }
    if (static_cast<std::size_t>(info.st_size) > MaxFileBytes) {
        return tooLarge(path);
    }
    FileRead result{ReadOutcome::Read, "", {}, {}, 0};
    int error = 0;
    switch (readAll(fd, result.text, error)) {
        case ReadOutcome::Unreadable:
            return cannotRead(path, error);
        case ReadOutcome::TooLarge:
            return tooLarge(path);
        default:
            break;
    }
    if (!isText(result.text)) {
        return failed(ReadOutcome::NotText, MessageId::NotText, path);
    }
    result.form = formOf(result.text);
    result.text = plainText(result.text);
    result.changedNs = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
    return result;
}

}  // namespace

FileRead readGameFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? FileRead{} : cannotRead(path, errno);
    }
    FileRead result = readOpenFile(fd, path);
    close(fd);
    return result;
}

std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        if (std::string_view(entry->d_name).starts_with(prefix)) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    return names;
}

}  // namespace tarnwick::storage
