#pragma once
// A tmpfs of 32 KiB of its own, so that a test can fill the disk or make it
// read-only. Mounting needs root; mounted() tells whether it worked.

#include "../config/tempfolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace titrage::testing {

// A small tmpfs of its own, so that a test can fill the disk.
class SmallDisk {
public:
    SmallDisk()
    {
        if (m_folder.path().empty()) return;
        m_mounted = ::mount("tmpfs", m_folder.path().c_str(), "tmpfs", 0, "size=32k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted) ::umount2(m_folder.path().c_str(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    std::string file(const std::string& name) const { return m_folder.file(name); }
    const std::string& path() const { return m_folder.path(); }

    // Fills every free byte with a file named "filler".
    void fill() const
    {
        const int fd = ::open(file("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string page(4096, 'f');
        while (::write(fd, page.data(), page.size()) > 0) {
        }
        while (::write(fd, "f", 1) > 0) {
        }
        ::close(fd);
    }
    void empty() const { std::filesystem::remove(file("filler")); }
    bool remountReadOnly() const
    {
        return ::mount(nullptr, m_folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY,
                       "size=32k") == 0;
    }

private:
    TempFolder m_folder;
    bool m_mounted = false;
};

} // namespace titrage::testing
