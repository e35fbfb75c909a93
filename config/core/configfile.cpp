#include "config/core/configfile.h"

#include "config/core/mixturerecords.h"
#include "platform/core/recordfile.h"
#include "platform/core/safesave.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <functional>

namespace titrage {

namespace {

constexpr int kCheckRecords[] = {2, 3, 4}; // masquer, Check1, Check2

// The fixed part of one situation's block, in record order.
constexpr int kCourbeOffset = 0;
constexpr int kTextOffset = 1;
constexpr int kListOffset = 7;
constexpr int kOptOffset = 10;
constexpr int kStoredTexts = 6;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Rounds to the nearest integer, halves to even, whatever the floating-point
// environment says.
double roundHalfEven(double x)
{
    const double low = std::floor(x);
    const double diff = x - low;
    if (diff < 0.5) return low;
    if (diff > 0.5) return low + 1;
    return std::fmod(low, 2.0) == 0 ? low : low + 1;
}

// For a number too large or too small for a double: whether it is too small
// (it then rounds to 0). Its decimal magnitude is the count of integer digits
// after leading zeros, or minus the zeros after the point, plus the exponent.
bool underflows(std::string_view number)
{
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
    long long magnitude = 0;
    bool nonZero = false;
    for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
        if (number[i] != '0') nonZero = true;
        if (nonZero) ++magnitude;
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; !nonZero && i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
            if (number[i] != '0')
                nonZero = true;
            else
                --magnitude;
        }
        while (i < number.size() && number[i] >= '0' && number[i] <= '9')
            ++i;
    }
    if (!nonZero) return true;
    if (i < number.size() && (number[i] == 'E' || number[i] == 'e')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) ++i;
        long long exponent = 0;
        for (; i < number.size(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude <= 0;
}

ConfigRead decodeConfiguration(const std::function<std::optional<std::string>(int)>& record)
{
    ConfigRead result;
    // The raw texts, for the checksum that ties the mixture part to them.
    std::array<std::string, kConfigRecords> raw;
    // Reads record n; on failure marks where the reading stopped.
    auto next = [&](int n) -> std::optional<std::string> {
        auto text = record(n);
        if (!text) {
            result.status = ConfigReadStatus::ReadFailed;
            return std::nullopt;
        }
        result.recordsRead = n;
        raw[static_cast<std::size_t>(n - 1)] = *text;
        return text;
    };

    const auto signature = next(1);
    if (!signature) return result;
    if (*signature != kConfigSignature) {
        result.status = ConfigReadStatus::BadSignature;
        return result;
    }

    bool* const checks[] = {&result.data.masquer, &result.data.check1, &result.data.check2};
    for (int i = 0; i < 3; ++i) {
        const auto text = next(kCheckRecords[i]);
        if (!text) return result;
        *checks[i] = decodeFlag(*text);
    }

    for (int k = 0; k < kSituations; ++k) {
        Situation& s = result.data.sit[static_cast<std::size_t>(k)];
        const auto courbe = next(situationRecord(k, kCourbeOffset));
        if (!courbe) return result;
        s.courbefinie = decodeFlag(*courbe);
        for (int j = 0; j < kStoredTexts; ++j) {
            const auto text = next(situationRecord(k, kTextOffset + j));
            if (!text) return result;
            s.textesit[static_cast<std::size_t>(j)] = cp1252ToUtf8(*text);
        }
        for (int j = 0; j < 3; ++j) {
            const int n = situationRecord(k, kListOffset + j);
            const auto text = record(n);
            const auto value = text ? decodeInt16(*text) : std::nullopt;
            if (!value) {
                result.status = ConfigReadStatus::ReadFailed;
                return result;
            }
            result.recordsRead = n;
            raw[static_cast<std::size_t>(n - 1)] = *text;
            s.listesit[static_cast<std::size_t>(j)] = *value;
        }
        for (int j = 0; j < 5; ++j) {
            const auto text = next(situationRecord(k, kOptOffset + j));
            if (!text) return result;
            s.optsit[static_cast<std::size_t>(j)] = decodeFlag(*text);
        }
    }

    // The mixtures, when the part after the 154 records still belongs to them.
    const MixtureRead mixtures =
        readMixtureRecords(record, firstPartChecksum([&raw](int n) -> std::string_view {
                               return raw[static_cast<std::size_t>(n - 1)];
                           }));
    result.mixtures = mixtures.part;
    result.mixtureBlocksLost = mixtures.blocksLost;
    for (std::size_t k = 0; k < kSituations; ++k)
        if (mixtures.blockSituations[k]) result.data.sit[k] = *mixtures.blockSituations[k];
    return result;
}

// The raw first part and the mixture part of `data`; nothing when a text is too long.
std::optional<std::string> imageOf(const ConfigData& data)
{
    std::string image;
    image.reserve(static_cast<std::size_t>(kConfigRecords * kRecordLength));
    std::array<std::string, kConfigRecords> raw;
    const auto records = configRecords(data);
    for (std::size_t i = 0; i < records.size(); ++i) {
        raw[i] = utf8ToCp1252(records[i]);
        const auto record = encodeRecord(raw[i]);
        if (!record) return std::nullopt;
        image += *record;
    }
    const auto extra =
        mixtureRecords(data.sit, firstPartChecksum([&raw](int n) -> std::string_view {
                           return raw[static_cast<std::size_t>(n - 1)];
                       }));
    if (!extra) return std::nullopt;
    for (const std::string& text : *extra)
        image += encodeRecord(text).value();
    return image;
}

// Whether the file at `path` holds a mixture part after its 154 records: one
// an earlier save of ours wrote, which the new save replaces.
bool holdsMixturePart(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(static_cast<std::streamoff>(kConfigRecords * kRecordLength));
    std::string bytes(static_cast<std::size_t>(kRecordLength), '\0');
    in.read(bytes.data(), kRecordLength);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return decodeRecord(bytes, 1) == std::optional<std::string>(kMixtureSignature);
}

} // namespace

std::string encodeFlag(bool value)
{
    return value ? "1" : "0";
}

bool decodeFlag(std::string_view text)
{
    return text == "1";
}

std::string encodeInt16(std::int16_t value)
{
    const std::string digits = std::to_string(value < 0 ? -static_cast<int>(value) : value);
    return (value < 0 ? "-" : " ") + digits;
}

std::optional<std::int16_t> decodeInt16(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return std::int16_t{0};
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expStart = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j > expStart) end = j;
    }
    // from_chars takes no leading "+" and ignores the locale.
    std::size_t from = start;
    if (text[from] == '+') ++from;
    double value = 0;
    const auto res = std::from_chars(text.data() + from, text.data() + end, value);
    if (res.ec == std::errc::result_out_of_range)
        return underflows(text.substr(from, end - from)) ? std::optional<std::int16_t>(0)
                                                         : std::nullopt;
    if (res.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::array<std::string, kConfigRecords> configRecords(const ConfigData& data)
{
    std::array<std::string, kConfigRecords> records;
    auto at = [&records](int n) -> std::string& {
        return records[static_cast<std::size_t>(n - 1)];
    };
    at(1) = kConfigSignature;
    at(kCheckRecords[0]) = encodeFlag(data.masquer);
    at(kCheckRecords[1]) = encodeFlag(data.check1);
    at(kCheckRecords[2]) = encodeFlag(data.check2);
    for (int k = 0; k < kSituations; ++k) {
        // A mixture's slot holds the titration closest to it, for the
        // versions that read these records only.
        const Situation s = singleCoupleApproximation(data.sit[static_cast<std::size_t>(k)]);
        at(situationRecord(k, kCourbeOffset)) = encodeFlag(s.courbefinie);
        for (int j = 0; j < kStoredTexts; ++j)
            at(situationRecord(k, kTextOffset + j)) = s.textesit[static_cast<std::size_t>(j)];
        for (int j = 0; j < 3; ++j)
            at(situationRecord(k, kListOffset + j)) =
                encodeInt16(s.listesit[static_cast<std::size_t>(j)]);
        for (int j = 0; j < 5; ++j)
            at(situationRecord(k, kOptOffset + j)) =
                encodeFlag(s.optsit[static_cast<std::size_t>(j)]);
    }
    return records;
}

std::optional<std::string> configImage(const ConfigData& data)
{
    return imageOf(data);
}

ConfigWriteStatus writeConfiguration(const std::string& path, const ConfigData& data)
{
    const auto image = configImage(data);
    if (!image) return ConfigWriteStatus::TextTooLong;
    // The whole file is rebuilt beside the old one and replaces it only once
    // it is complete on disk. The bytes after record 154 are carried over,
    // unless the new file has a mixture part of its own or the old one's is
    // ours: that part describes the situations the save replaces.
    const auto firstPart = static_cast<std::int64_t>(kConfigRecords * kRecordLength);
    const bool keepTail =
        static_cast<std::int64_t>(image->size()) == firstPart && !holdsMixturePart(path);
    SafeSave save(path);
    if (!save.open()) return ConfigWriteStatus::OpenFailed;
    if (save.write(*image) && (!keepTail || save.copyTail(firstPart)) && save.commit())
        return ConfigWriteStatus::Ok;
    return ConfigWriteStatus::WriteFailed;
}

ConfigRead parseConfiguration(std::string_view image)
{
    return decodeConfiguration([image](int n) { return decodeRecord(image, n); });
}

ConfigRead readConfiguration(const std::string& path)
{
    RecordFile file;
    if (!file.open(path, RecordFile::Mode::Read)) {
        ConfigRead result;
        result.status = ConfigReadStatus::OpenFailed;
        return result;
    }
    return decodeConfiguration([&file](int n) { return file.readRaw(n); });
}

void overlaySituations(const ConfigRead& read, std::array<Situation, kSituations>& situations)
{
    for (int k = 0; k < kSituations; ++k) {
        const Situation& from = read.data.sit[static_cast<std::size_t>(k)];
        Situation& to = situations[static_cast<std::size_t>(k)];
        auto wasRead = [&](int offset) { return situationRecord(k, offset) <= read.recordsRead; };
        if (wasRead(kCourbeOffset)) to.courbefinie = from.courbefinie;
        if (wasRead(kOptOffset + 4)) to.mixture = from.mixture;
        for (std::size_t j = 0; j < kStoredTexts; ++j)
            if (wasRead(kTextOffset + static_cast<int>(j))) to.textesit[j] = from.textesit[j];
        for (std::size_t j = 0; j < 3; ++j)
            if (wasRead(kListOffset + static_cast<int>(j))) to.listesit[j] = from.listesit[j];
        for (std::size_t j = 0; j < 5; ++j)
            if (wasRead(kOptOffset + static_cast<int>(j))) to.optsit[j] = from.optsit[j];
    }
}

std::optional<std::string> saveFileName(std::string_view typed, std::string_view directory,
                                        std::string_view separators)
{
    // Start of the file name: after the last separator.
    auto nameStart = [separators](const std::string& path) {
        const auto s = path.find_last_of(separators);
        return s == std::string::npos ? 0 : s + 1;
    };
    std::string name(typed);
    for (;;) {
        const auto b = name.find_first_not_of(' ');
        if (b == std::string::npos) return std::nullopt;
        name = name.substr(b, name.find_last_not_of(' ') - b + 1);
        const auto dot = name.rfind('.');
        if (dot == std::string::npos || dot < nameStart(name)) break;
        name.erase(dot);
    }
    if (nameStart(name) == name.size()) return std::nullopt;
    if (name.find_first_of(separators) == std::string::npos && !separators.empty() &&
        !directory.empty()) {
        std::string path(directory);
        if (path.empty() || separators.find(path.back()) == std::string_view::npos)
            path += separators.front();
        name = path + name;
    }
    return name + kConfigExtension;
}

} // namespace titrage
