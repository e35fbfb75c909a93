#include "bench/core/markerfile.h"

#include "platform/core/recordfile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace titrage {

namespace {

// The marker opened without following a link: O_NOFOLLOW makes the open
// itself fail on a symbolic link (dangling or not), so no check can be raced.
// Only a regular file of at most kMarkerFileMax bytes with a single name is
// kept; anything else is closed again and left as it is.
class MarkerHandle {
public:
    MarkerHandle(const std::string& path, bool create) : m_path(path)
    {
        const int flags = O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK; // a FIFO must not block
        // Exclusive creation first, so that the handle knows whether the file
        // is its own: one it created and could not fill is removed again. It
        // fails on any existing name, a link included, and the plain open
        // below then refuses the link.
        if (create) {
            m_fd = openRetrying(path, flags | O_CREAT | O_EXCL);
            m_created = m_fd >= 0;
        }
        if (m_fd < 0) m_fd = openRetrying(path, flags);
        if (m_fd < 0) return;
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMarkerFileMax ||
            st.st_nlink > 1) {
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        m_device = st.st_dev;
        m_inode = st.st_ino;
    }
    ~MarkerHandle()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    MarkerHandle(const MarkerHandle&) = delete;
    MarkerHandle& operator=(const MarkerHandle&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    std::optional<std::string> read(int number) const
    {
        char buffer[kRecordLength];
        const ssize_t got = ::pread(m_fd, buffer, sizeof buffer, offsetOf(number));
        if (got < 0) return std::nullopt;
        return decodeRecord(std::string_view(buffer, static_cast<size_t>(got)), 1);
    }

    bool write(int number, std::string_view text) const
    {
        const auto record = encodeRecord(utf8ToCp1252(text));
        if (!record) return false;
        size_t done = 0;
        while (done < record->size()) {
            const ssize_t n = ::pwrite(m_fd, record->data() + done, record->size() - done,
                                       offsetOf(number) + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

    // Closing reports a write that failed late (a full network share).
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 && ::close(fd) == 0;
    }

    // After a failed write: a file this handle created is removed (a full
    // disk must not leave an empty or half-written marker the launcher
    // would read), unless its name now leads to another file.
    void discardIfCreated()
    {
        close();
        if (!m_created) return;
        struct stat st {};
        if (::lstat(m_path.c_str(), &st) == 0 && st.st_dev == m_device && st.st_ino == m_inode)
            ::unlink(m_path.c_str());
    }

private:
    static int openRetrying(const std::string& path, int flags)
    {
        int fd = -1;
        do {
            fd = ::open(path.c_str(), flags, 0644);
        } while (fd < 0 && errno == EINTR);
        return fd;
    }
    static off_t offsetOf(int number) { return static_cast<off_t>(number - 1) * kRecordLength; }

    std::string m_path;
    int m_fd = -1;
    bool m_created = false;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

} // namespace

std::string markerFilePath(const std::string& folder)
{
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string path = folder;
    if (!path.empty() && path.back() != separator && path.back() != '/') path += separator;
    return path + kMarkerFileName;
}

bool writeRunningFlag(const std::string& folder, bool running)
{
    MarkerHandle file(markerFilePath(folder), true);
    if (!file.isOpen()) return false;
    const bool written = file.write(kRunningRecord, running ? "OUI" : "NON");
    if (written && file.close()) return true;
    file.discardIfCreated();
    return false;
}

std::string takeLauncherRequest(const std::string& folder)
{
    MarkerHandle file(markerFilePath(folder), false);
    if (!file.isOpen()) return {};
    const std::string request = cp1252ToUtf8(file.read(kRequestRecord).value_or(std::string()));
    file.write(kRequestRecord, "");
    file.close();
    return request;
}

} // namespace titrage
