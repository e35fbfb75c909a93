#include "platform/core/recordfile.h"

#include <array>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace titrage {

namespace {

// Code points of bytes 0x80 to 0x9F; the five undefined bytes keep their own
// C1 code point so that every byte has a form.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char toCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns the code point and its length,
// or a length of 0 for an invalid sequence (overlong, surrogate, out of range,
// cut short).
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view text, std::size_t i)
{
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) return {b0, 1};
    std::size_t len = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        return {0, 0};
    }
    if (i + len > text.size()) return {0, 0};
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return {0, 0};
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {0, 0};
    return {c, len};
}

bool validNumber(std::int64_t number)
{
    return number >= 1 && number <= LONG_MAX / kRecordLength;
}

long offsetOf(std::int64_t number)
{
    return static_cast<long>((number - 1) * kRecordLength);
}

// Opens without blocking and checks what was opened, not what the name showed
// a moment before: a name swapped for a pipe or a device in between is
// refused rather than read.
std::FILE* openRegularForReading(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

} // namespace

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [c, len] = decodeUtf8(utf8, i);
        if (len == 0) {
            out += '?';
            ++i;
        } else {
            out += toCp1252(c);
            i += len;
        }
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            appendUtf8(out, kHighControls[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::optional<std::string> encodeRecord(std::string_view bytes)
{
    if (bytes.size() > kRecordTextMax) return std::nullopt;
    std::string record(static_cast<std::size_t>(kRecordLength), '\0');
    record[0] = static_cast<char>(bytes.size() & 0xFF);
    record[1] = static_cast<char>((bytes.size() >> 8) & 0xFF);
    record.replace(2, bytes.size(), bytes);
    return record;
}

std::optional<std::string> decodeRecord(std::string_view image, std::int64_t number)
{
    if (number < 1) return std::nullopt;
    // Past the end of the image, without computing an offset that could overflow.
    if (static_cast<std::uint64_t>(number - 1) >= image.size() / kRecordLength + 1)
        return std::string();
    const auto start = static_cast<std::size_t>((number - 1) * kRecordLength);
    if (start >= image.size()) return std::string();
    if (image.size() - start < 2) return std::nullopt;
    const std::size_t length =
        static_cast<unsigned char>(image[start]) |
        (static_cast<std::size_t>(static_cast<unsigned char>(image[start + 1])) << 8);
    if (length > kRecordTextMax) return std::nullopt;
    if (image.size() - start - 2 < length) return std::nullopt;
    return std::string(image.substr(start + 2, length));
}

RecordFile::~RecordFile()
{
    close();
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : m_file(std::exchange(other.m_file, nullptr)), m_mode(other.m_mode), m_failed(other.m_failed)
{
}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_file = std::exchange(other.m_file, nullptr);
        m_mode = other.m_mode;
        m_failed = other.m_failed;
    }
    return *this;
}

bool RecordFile::open(const std::string& path, Mode mode)
{
    close();
    m_failed = false;
    m_mode = mode;
    if (path.empty()) return false;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_regular_file(status)) return false;
    } else if (mode == Mode::Read) {
        return false;
    }
    if (mode == Mode::Read) {
        m_file = openRegularForReading(path);
    } else {
        // "r+b" keeps an existing file as it is; "w+b" only ever creates.
        m_file = std::fopen(path.c_str(), "r+b");
        if (!m_file && !std::filesystem::exists(path, ec)) m_file = std::fopen(path.c_str(), "w+b");
    }
    return m_file != nullptr;
}

std::optional<std::string> RecordFile::readRaw(std::int64_t number)
{
    if (!m_file || !validNumber(number)) return std::nullopt;
    if (std::fseek(m_file, offsetOf(number), SEEK_SET) != 0) return std::nullopt;
    char buffer[kRecordLength];
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, m_file);
    if (got < sizeof buffer && std::ferror(m_file)) {
        std::clearerr(m_file);
        return std::nullopt;
    }
    std::clearerr(m_file);
    return decodeRecord(std::string_view(buffer, got), 1);
}

std::optional<std::string> RecordFile::read(std::int64_t number)
{
    auto raw = readRaw(number);
    if (!raw) return std::nullopt;
    return cp1252ToUtf8(*raw);
}

bool RecordFile::writeRaw(std::int64_t number, std::string_view bytes)
{
    if (!m_file || m_mode != Mode::ReadWrite || !validNumber(number)) return false;
    const auto record = encodeRecord(bytes);
    if (!record) return false;
    if (std::fseek(m_file, offsetOf(number), SEEK_SET) != 0 ||
        std::fwrite(record->data(), 1, record->size(), m_file) != record->size()) {
        m_failed = true;
        return false;
    }
    return true;
}

bool RecordFile::write(std::int64_t number, std::string_view text)
{
    return writeRaw(number, utf8ToCp1252(text));
}

bool RecordFile::close()
{
    if (!m_file) return true;
    const bool flushed = std::fflush(m_file) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    const bool ok = flushed && closed && !m_failed;
    m_failed = false;
    return ok;
}

} // namespace titrage
