#include "platform/core/safesave.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace titrage {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const char* data, std::size_t size, int& error)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

SafeSave::SafeSave(std::string path) : m_path(std::move(path)) {}

SafeSave::~SafeSave()
{
    cancel();
}

bool SafeSave::fail(SaveStatus status, int error)
{
    m_result = {status, error};
    cancel();
    return false;
}

void SafeSave::cancel()
{
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
    m_temp.clear();
}

bool SafeSave::open()
{
    cancel();
    m_result = {};
    m_written = 0;
    if (m_path.empty() || m_path.back() == '/') return fail(SaveStatus::Refused, EISDIR);

    struct stat link {};
    struct stat target {};
    bool keepOwner = false;
    if (::lstat(m_path.c_str(), &link) == 0) {
        if (!S_ISLNK(link.st_mode) && !S_ISREG(link.st_mode))
            return fail(SaveStatus::Refused, S_ISDIR(link.st_mode) ? EISDIR : EINVAL);
        if (S_ISREG(link.st_mode)) {
            // A write-protected file stays protected: it is not replaced either.
            if (::access(m_path.c_str(), W_OK) != 0) return fail(SaveStatus::Refused, errno);
            target = link;
            keepOwner = true;
        }
    }

    const std::string folder = folderOf(m_path);
    const std::string stem = folder + "/." + nameOf(m_path) + ".tmp-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 1000 && m_fd < 0; ++attempt) {
        std::string candidate = stem + "-" + std::to_string(attempt);
        m_fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (m_fd >= 0) {
            m_temp = std::move(candidate);
        } else if (errno != EEXIST) {
            return fail(SaveStatus::OpenFailed, errno);
        }
    }
    if (m_fd < 0) return fail(SaveStatus::OpenFailed, EEXIST);
    if (keepOwner) {
        // The replaced file's permissions and owner carry over; failing to
        // copy them (another user's file) loses nothing.
        [[maybe_unused]] const int owned = ::fchown(m_fd, target.st_uid, target.st_gid);
        [[maybe_unused]] const int moded = ::fchmod(m_fd, target.st_mode & 07777);
    }
    return true;
}

bool SafeSave::write(std::string_view bytes)
{
    if (m_fd < 0) return false;
    int error = 0;
    if (!writeAll(m_fd, bytes.data(), bytes.size(), error))
        return fail(SaveStatus::WriteFailed, error);
    m_written += static_cast<std::int64_t>(bytes.size());
    return true;
}

bool SafeSave::copyTail(std::int64_t offset)
{
    if (m_fd < 0) return false;
    const int in = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return errno == ENOENT ? true : fail(SaveStatus::ReadFailed, errno);
    struct stat info {};
    bool ok = ::fstat(in, &info) == 0;
    int error = ok ? 0 : errno;
    if (ok && S_ISREG(info.st_mode) && info.st_size > offset) {
        char buffer[65536];
        off_t at = static_cast<off_t>(offset);
        for (;;) {
            const ssize_t n = ::pread(in, buffer, sizeof buffer, at);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ok = false;
                error = errno;
                break;
            }
            if (n == 0) break;
            at += n;
            if (!writeAll(m_fd, buffer, static_cast<std::size_t>(n), error)) {
                ::close(in);
                return fail(SaveStatus::WriteFailed, error);
            }
            m_written += n;
        }
    }
    ::close(in);
    return ok ? true : fail(SaveStatus::ReadFailed, error);
}

bool SafeSave::commit()
{
    if (m_fd < 0) return false;
    if (::fsync(m_fd) != 0) return fail(SaveStatus::WriteFailed, errno);
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) return fail(SaveStatus::WriteFailed, errno);
    if (info.st_size != m_written) return fail(SaveStatus::WriteFailed, EIO);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) return fail(SaveStatus::WriteFailed, errno);
    if (::rename(m_temp.c_str(), m_path.c_str()) != 0) return fail(SaveStatus::RenameFailed, errno);
    m_temp.clear();
    // The new name reaches the disk with the folder; the file itself is
    // already in place, so a folder that cannot be synced is not a failure.
    const int dir = ::open(folderOf(m_path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    m_result = {};
    return true;
}

std::int64_t SafeSave::temporarySize() const
{
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

std::string SafeSave::readAt(std::int64_t offset, std::size_t length) const
{
    std::string bytes(m_fd < 0 || offset < 0 ? 0 : length, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(m_fd, bytes.data() + done, bytes.size() - done,
                                  static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

bool SafeSave::commitWritten(std::int64_t size)
{
    if (m_fd < 0) return false;
    struct stat held {};
    struct stat named {};
    if (::fstat(m_fd, &held) != 0 || ::lstat(m_temp.c_str(), &named) != 0 ||
        held.st_dev != named.st_dev || held.st_ino != named.st_ino)
        return fail(SaveStatus::WriteFailed, EIO);
    m_written = size;
    return commit();
}

SaveResult saveWholeFile(const std::string& path, std::string_view bytes)
{
    SafeSave save(path);
    if (save.open() && save.write(bytes)) save.commit();
    return save.result();
}

} // namespace titrage
