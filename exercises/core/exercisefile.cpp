#include "exercises/core/exercisefile.h"

#include "platform/core/decimaltext.h"
#include "platform/core/recordfile.h"
#include "platform/core/safesave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace titrage {

bool moreThanBlanks(std::string_view text)
{
    return text.find_first_not_of(' ') != std::string_view::npos;
}

bool ExerciseFile::corrected() const
{
    return moreThanBlanks(correction()) || moreThanBlanks(correctionConfig());
}

namespace {

// A record read as a number: the figure that begins it, leading blanks
// skipped, either decimal separator; nothing when it holds no number.
std::optional<double> recordNumber(const std::string& text)
{
    std::string s = text;
    std::replace(s.begin(), s.end(), ',', '.');
    const std::size_t start = s.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string::npos) return std::nullopt;
    const auto read = readDecimal(std::string_view(s).substr(start));
    if (!read || read->range == DecimalRange::Overflow) return std::nullopt;
    return read->value;
}

} // namespace

double ExerciseFile::difficulty() const
{
    return recordNumber(record(5)).value_or(0.0);
}

std::vector<std::string> ExerciseFile::notions() const
{
    std::vector<std::string> lines;
    for (int n = 7; n <= 10; ++n)
        if (moreThanBlanks(record(n))) lines.push_back(record(n));
    return lines;
}

std::string ExerciseFile::title() const
{
    const std::string& t = record(11);
    const std::size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
}

int ExerciseFile::hourglasses() const
{
    const double n = std::nearbyint(recordNumber(record(12)).value_or(0.0));
    return static_cast<int>(std::clamp(n, 0.0, static_cast<double>(kMaxHourglasses)));
}

std::optional<ExerciseFile> parseExercise(std::string_view image)
{
    ExerciseFile file;
    for (int n = 1; n <= kExerciseRecords; ++n) {
        const std::optional<std::string> raw = decodeRecord(image, n);
        if (!raw) return std::nullopt;
        file.records[static_cast<std::size_t>(n - 1)] = cp1252ToUtf8(*raw);
    }
    return file;
}

std::optional<ExerciseFile> readExercise(const std::string& path)
{
    RecordFile in;
    if (!in.open(path, RecordFile::Mode::Read)) return std::nullopt;
    ExerciseFile file;
    for (int n = 1; n <= kExerciseRecords; ++n) {
        std::optional<std::string> text = in.read(n);
        if (!text) return std::nullopt;
        file.records[static_cast<std::size_t>(n - 1)] = std::move(*text);
    }
    return file;
}

bool writeExercise(const std::string& path, const ExerciseFile& file)
{
    std::string image;
    for (const std::string& text : file.records) {
        const std::optional<std::string> record = encodeRecord(utf8ToCp1252(text));
        if (!record) return false;
        image += *record;
    }
    return saveWholeFile(path, image).ok();
}

} // namespace titrage
