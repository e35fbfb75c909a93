// The record reader on any bytes taken as a whole file: every record decodes
// or fails by the rules, the file on disk reads the same, and a record
// written back reads back.
#include "platform/core/recordfile.h"

#include "fuzz/fuzzsupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace titrage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzzing::scratchPath("records.dat");
    const std::string_view image(reinterpret_cast<const char*>(data), size);

    CHECK(!decodeRecord(image, 0));
    CHECK(!decodeRecord(image, -1));
    CHECK(decodeRecord(image, INT64_MAX) == "");
    const std::int64_t records = static_cast<std::int64_t>(size / 128) + 2;

    fuzzing::writeScratch(path, image);
    {
        RecordFile file;
        CHECK(file.open(path, RecordFile::Mode::Read));
        for (std::int64_t n = 1; n <= records; ++n) {
            const auto text = decodeRecord(image, n);
            const std::size_t start = static_cast<std::size_t>(n - 1) * 128;
            if (start >= size) CHECK(text == "");
            if (text && start < size) {
                CHECK(text->size() <= kRecordTextMax);
                CHECK(image.substr(start + 2, text->size()) == *text);
                // Any bytes survive the trip through UTF-8.
                CHECK(utf8ToCp1252(cp1252ToUtf8(*text)) == *text);
            }
            CHECK(file.readRaw(n) == text);
            const auto utf8 = file.read(n);
            CHECK(utf8.has_value() == text.has_value());
        }
        CHECK(file.close());
    }

    // Text taken as UTF-8: never longer in Windows-1252.
    CHECK(utf8ToCp1252(image).size() <= size);

    // Writing a record in the middle keeps every other byte.
    if (size >= 2) {
        const std::int64_t n = 1 + data[0] % 8;
        const std::string text = cp1252ToUtf8(image.substr(1, data[1] % 127));
        RecordFile file;
        CHECK(file.open(path, RecordFile::Mode::ReadWrite));
        CHECK(file.write(n, text));
        CHECK(file.read(n) == text);
        CHECK(file.close());
        const std::string after = fuzzing::readScratch(path);
        const std::size_t start = static_cast<std::size_t>(n - 1) * 128;
        CHECK(after.size() == std::max<std::size_t>(size, start + 128));
        CHECK(std::string_view(after).substr(0, std::min(start, size)) ==
              image.substr(0, std::min(start, size)));
        if (size > start + 128)
            CHECK(std::string_view(after).substr(start + 128) == image.substr(start + 128));
    }
    return 0;
}
