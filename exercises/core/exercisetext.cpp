#include "exercises/core/exercisetext.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
        // Every name of a hard link is as much the file as any other, and
        // nothing tells where the others lie: such a file may be one outside
        // the folder, so it is refused like a link leading out. A folder has
        // several links by nature and is left to the reader to refuse.
        struct stat target {};
        if (::stat(real->c_str(), &target) != 0) return std::nullopt;
        if (S_ISREG(target.st_mode) && target.st_nlink > 1) return std::nullopt;
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

namespace {

void countParagraph(const RtfParagraph& p, LayoutBudget& budget)
{
    for (const RtfRun& run : p.runs) {
        if (run.picture) budget.character(false); // its place in the line
        const std::string& s = run.text;
        for (std::size_t i = 0; i < s.size() && budget.fits(); ++i) {
            const auto b = static_cast<unsigned char>(s[i]);
            if ((b & 0xC0) == 0x80) continue; // inside a UTF-8 sequence
            // A blank, a tab, or U+2028 (E2 80 A8) ends a word.
            budget.character(b == ' ' || b == '\t' ||
                             (b == 0xE2 && s.compare(i, 3, "\xE2\x80\xA8") == 0));
        }
    }
    budget.paragraphEnd();
}

// As the text area builds it: rows x columns cells, each at least one block;
// a cell's paragraphs are its own (a table index there makes no table).
void countTable(const RtfTable& table, LayoutBudget& budget)
{
    std::size_t columns = 1;
    for (const RtfTableRow& row : table.rows)
        columns = std::max(columns, row.cells.size());
    budget.cells(table.rows.size() * columns);
    for (const RtfTableRow& row : table.rows) {
        for (std::size_t c = 0; c < columns && budget.fits(); ++c) {
            if (c >= row.cells.size() || row.cells[c].paragraphs.empty()) {
                budget.paragraphEnd(); // an empty cell
                continue;
            }
            for (const RtfParagraph& p : row.cells[c].paragraphs)
                countParagraph(p, budget);
        }
        if (!budget.fits()) return;
    }
}

} // namespace

bool fitsTextArea(const RtfText& text)
{
    LayoutBudget budget;
    for (const RtfParagraph& p : text.paragraphs) {
        if (!budget.fits()) return false;
        if (p.table >= 0 && static_cast<std::size_t>(p.table) < text.tables.size())
            countTable(text.tables[static_cast<std::size_t>(p.table)], budget);
        else
            countParagraph(p, budget);
    }
    return budget.fits();
}

} // namespace titrage
