#pragma once
// What the fuzz targets share: a check that stops the run with the failed
// condition (asserts vanish in release builds), and a scratch file per fuzzing
// process for the paths that go through the disk.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace titrage::fuzzing {

inline std::string scratchPath(const char* tag)
{
    // Memory-backed when the system has it: every input goes through a file.
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/titrage-fuzz-" + std::to_string(getpid()) + "-" + tag;
}

inline void writeScratch(const std::string& path, std::string_view bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        std::abort();
    std::fclose(f);
}

inline std::string readScratch(const std::string& path)
{
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) std::abort();
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, got);
    std::fclose(f);
    return bytes;
}

} // namespace titrage::fuzzing
