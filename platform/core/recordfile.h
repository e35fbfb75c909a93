#pragma once
// Fixed-record files: the configuration files, the exercise files and the
// marker file shared with the launcher all use the same layout.
//
// A file is a sequence of 128-byte records numbered from 1; record n starts at
// byte (n - 1) * 128. Each record holds one text: its length L as an unsigned
// 16-bit little-endian word, then L bytes of Windows-1252 text, then padding up
// to the end of the record (written as zero bytes, ignored on reading). A text
// therefore holds at most 126 bytes.
//
// Texts cross this interface in UTF-8; the conversion to and from Windows-1252
// happens here, so a caller never sees the file's code page.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace titrage {

inline constexpr std::int64_t kRecordLength = 128;
inline constexpr std::size_t kRecordTextMax = 126;

// UTF-8 to Windows-1252. A character with no Windows-1252 form, and a byte
// that is not part of valid UTF-8, becomes "?". The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are the images of U+0081,
// U+008D, U+008F, U+0090 and U+009D, so that any byte survives a round trip.
std::string utf8ToCp1252(std::string_view utf8);

// Windows-1252 to UTF-8; every byte has a form (see above).
std::string cp1252ToUtf8(std::string_view bytes);

// The 128 bytes of one record holding `bytes` (already Windows-1252), zero
// padded; nothing when the text is longer than 126 bytes.
std::optional<std::string> encodeRecord(std::string_view bytes);

// Reads record `number` (from 1) of a file whose bytes from its start are
// `image`, and returns its raw Windows-1252 text:
//   - a record that starts at or past the end of the image is empty (a short
//     file reads as empty records);
//   - the last record may end right after its text;
//   - nothing (a read failure) for a number below 1, a length word over 126,
//     or a record cut inside its length word or its text.
std::optional<std::string> decodeRecord(std::string_view image, std::int64_t number);

// A fixed-record file opened for one operation, closed by close() or the
// destructor. Every failure is returned as a value; nothing throws.
class RecordFile {
public:
    enum class Mode {
        Read,     // the file must exist; it is never created or changed
        ReadWrite // created when missing; an existing file is never shortened
    };

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;

    // Opens `path` (a path in the file system's encoding). Only a regular file
    // is accepted: a directory, a device or a pipe is refused, so that a
    // mistyped name can neither block the program nor write into a device.
    // For reading, what is checked is the file actually opened (without
    // blocking), not the name. A file of any size is accepted: the readers
    // read only the records they use (the first 19,712 bytes of a
    // configuration, 1,536 of an exercise), whatever follows.
    bool open(const std::string& path, Mode mode);
    bool isOpen() const { return m_file != nullptr; }

    // Record `number` as UTF-8 text; the rules of decodeRecord. Nothing on a
    // read failure or an I/O error.
    std::optional<std::string> read(std::int64_t number);
    // Same, without the code page conversion.
    std::optional<std::string> readRaw(std::int64_t number);

    // Writes `text` (UTF-8) as the whole record `number`, zero padded.
    // False when the file is not open for writing, the number is below 1, the
    // text is longer than 126 bytes once converted, or the write fails.
    bool write(std::int64_t number, std::string_view text);
    bool writeRaw(std::int64_t number, std::string_view bytes);

    // Flushes and closes; false when a buffered write failed (a full disk
    // shows here). Closing a file that is not open succeeds.
    bool close();

private:
    std::FILE* m_file = nullptr;
    Mode m_mode = Mode::Read;
    bool m_failed = false;
};

} // namespace titrage
