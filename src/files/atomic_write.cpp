// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_write.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace termiva::files {

namespace {

std::string Reason(int error) {
    return std::generic_category().message(error);
}

FileError SaveError(const std::string& path, const std::string& reason) {
    return FileError{"Could not save \"" + path + "\": " + reason + "."};
}

std::string FollowLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr)
        return path; // a dangling link: replace the link itself
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = FollowLink(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return SaveError(path, "it is a folder");
    // The rename would put a regular file in place of a device or a pipe.
    if (exists && !S_ISREG(existing.st_mode))
        return SaveError(path, "it is not a regular file");

    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

    static std::atomic<unsigned> counter{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "." + base + "." + std::to_string(::getpid()) + "-" +
                    std::to_string(counter++) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return SaveError(path, Reason(errno));
    }
    if (fd < 0)
        return SaveError(path, "no temporary file could be created beside it");

    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return SaveError(path, Reason(error));
    };
    if (!WriteAll(fd, bytes))
        return abandon(errno);
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        return abandon(errno);
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return SaveError(path, Reason(error));
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(temporary.c_str());
        return SaveError(path, Reason(error));
    }
    // Make the rename itself durable; the file is complete either way.
    int folderFd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return std::nullopt;
}

} // namespace termiva::files
