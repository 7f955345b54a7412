// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_write.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace termiva::files {

namespace {

std::string Reason(int error) {
    return std::generic_category().message(error);
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

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Makes the rename itself durable; the file is complete either way.
void SyncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::unique_ptr<StagedFile> StagedFile::Create(const std::string& path, std::string& reason) {
    std::unique_ptr<StagedFile> staged(new StagedFile);
    staged->target_ = FollowLink(path);
    const std::string& target = staged->target_;

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        reason = "it is a folder";
        return nullptr;
    }
    // The rename would put a regular file in place of a device or a pipe.
    if (exists && !S_ISREG(existing.st_mode)) {
        reason = "it is not a regular file";
        return nullptr;
    }

    const std::string folder = FolderOf(target);
    const std::string base = target.substr(folder.size());
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && staged->fd_ < 0; ++attempt) {
        std::string temporary = folder + "." + base + "." + std::to_string(::getpid()) + "-" +
                                std::to_string(counter++) + ".tmp";
        staged->fd_ = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (staged->fd_ >= 0) {
            staged->temporary_ = std::move(temporary);
        } else if (errno != EEXIST) {
            reason = Reason(errno);
            return nullptr;
        }
    }
    if (staged->fd_ < 0) {
        reason = "no temporary file could be created beside it";
        return nullptr;
    }
    struct stat created {};
    ::fstat(staged->fd_, &created);
    staged->mode_ = (exists ? existing.st_mode : created.st_mode) & 07777;
    return staged;
}

StagedFile::~StagedFile() {
    CloseFd();
    if (!committed_ && !temporary_.empty())
        ::unlink(temporary_.c_str());
}

void StagedFile::CloseFd() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::optional<std::string> StagedFile::Append(std::string_view bytes) {
    if (fd_ < 0)
        return Reason(EBADF);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Reason(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

std::optional<std::string> StagedFile::Commit() {
    const auto fail = [this](int error) -> std::optional<std::string> {
        CloseFd();
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return Reason(error);
    };
    // A caller that rewrote the file by its path may have replaced it: the
    // file to finish is the one at the temporary path now.
    int fd = fd_;
    if (fd < 0)
        fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    const bool own = fd != fd_;
    const auto finish = [&]() -> int {
        if (::fchmod(fd, mode_) != 0 || ::fsync(fd) != 0)
            return errno;
        return 0;
    };
    const int error = finish();
    const int closeError = ::close(fd) != 0 ? errno : 0;
    if (!own)
        fd_ = -1;
    if (error != 0 || closeError != 0)
        return fail(error != 0 ? error : closeError);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    committed_ = true;
    SyncFolder(FolderOf(target_));
    return std::nullopt;
}

std::optional<std::string> ReplaceFile(const std::string& path, std::string_view bytes) {
    std::string reason;
    auto staged = StagedFile::Create(path, reason);
    if (!staged)
        return reason;
    if (auto error = staged->Append(bytes))
        return error;
    return staged->Commit();
}

std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (auto reason = ReplaceFile(path, bytes))
        return FileError{"Could not save \"" + path + "\": " + *reason + "."};
    return std::nullopt;
}

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    std::error_code error;
    const fs::path left = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path right = fs::weakly_canonical(fs::absolute(b, error), error);
    return !error && left == right;
}

} // namespace termiva::files
