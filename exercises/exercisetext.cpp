#include "exercises/exercisetext.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace titrage {

namespace {

std::optional<std::string> realPath(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return std::nullopt;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

bool startsWithin(const std::string& path, const std::string& folder)
{
    if (folder == "/") return path.size() > 1 && path.front() == '/';
    return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

} // namespace

std::optional<std::string> pathInside(const std::string& folder, std::string_view name)
{
    std::string relative(name);
    for (char& c : relative)
        if (c == '\\') c = '/';
    if (relative.empty() || relative.front() == '/' || folder.empty()) return std::nullopt;

    // Lexically first: "a/../b" is allowed, "../b" is not.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t slash = std::min(relative.find('/', start), relative.size());
        const std::string part = relative.substr(start, slash - start);
        if (part == "..") {
            if (parts.empty()) return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    if (parts.empty()) return std::nullopt;
    std::string path = folder;
    if (path.back() != '/') path += '/';
    for (std::size_t i = 0; i < parts.size(); ++i)
        path += (i ? "/" : "") + parts[i];

    // Then through the links, for a name that exists.
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        const auto base = realPath(folder);
        const auto real = realPath(path);
        if (!base || !real || !startsWithin(*real, *base)) return std::nullopt;
    }
    return path;
}

TextFile readTextFile(const std::string& path, std::int64_t maxBytes)
{
    TextFile result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return result;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return result;
    }
    if (info.st_size > maxBytes) {
        ::close(fd);
        result.status = TextFileStatus::TooLarge;
        return result;
    }
    // The size is read again as the file is read: a file growing meanwhile
    // is still cut at the limit.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return result;
        }
        if (n == 0) break;
        if (static_cast<std::int64_t>(bytes.size()) + n > maxBytes) {
            ::close(fd);
            result.status = TextFileStatus::TooLarge;
            return result;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    result.status = TextFileStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

bool fitsTextArea(const RtfText& text)
{
    std::size_t total = 0;
    auto fits = [&total](const RtfParagraph& p) {
        std::size_t word = 0;
        ++total; // the paragraph's end
        for (const RtfRun& run : p.runs) {
            const std::string& s = run.text;
            for (std::size_t i = 0; i < s.size(); ++i) {
                const auto b = static_cast<unsigned char>(s[i]);
                if ((b & 0xC0) == 0x80) continue; // inside a UTF-8 sequence
                ++total;
                // A blank, a tab, or U+2028 (E2 80 A8) ends a word.
                const bool breaks =
                    b == ' ' || b == '\t' || (b == 0xE2 && s.compare(i, 3, "\xE2\x80\xA8") == 0);
                word = breaks ? 0 : word + 1;
                if (word > kMaxWordCharacters) return false;
            }
        }
        return total <= kMaxTextCharacters;
    };
    for (const RtfParagraph& p : text.paragraphs)
        if (!fits(p)) return false;
    // The cells' texts count too, and the cells themselves: a table is laid
    // out whole, in one step nothing can interrupt (a termination signal
    // included), each cell as a row's column of the widest row.
    std::size_t cells = 0;
    for (const RtfTable& table : text.tables) {
        std::size_t columns = 1;
        for (const RtfTableRow& row : table.rows)
            columns = std::max(columns, row.cells.size());
        cells += table.rows.size() * columns;
        if (cells > kMaxTableCells) return false;
        for (const RtfTableRow& row : table.rows)
            for (const RtfTableCell& cell : row.cells)
                for (const RtfParagraph& p : cell.paragraphs)
                    if (!fits(p)) return false;
    }
    return true;
}

} // namespace titrage
