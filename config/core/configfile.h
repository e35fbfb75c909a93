#pragma once
// The saved configuration (".C16"): three check boxes of the main window and
// the ten situations, in 154 fixed records of 128 bytes (platform/core/recordfile.h).
//
//   record 1            the signature "OMRIX"
//   records 2, 3, 4     masquer, Check1, Check2
//   records 5 + 15k ... for situation k = 0..9, 15 records:
//     +0       courbefinie
//     +1..+6   textesit(0..5), as typed
//     +7..+9   listesit(0..2)
//     +10..+14 optsit(0..4)
//
// Booleans are "1" or "0"; a 16-bit integer is a sign position (a blank for
// zero and positive values, "-" for negative ones) followed by its digits.
// textesit(6), the situation's largest conductivity, is not stored.
//
// A situation holding a mixture is written in the 154 records as the
// single-couple titration closest to it, and whole in records after them
// (config/core/mixturerecords.h), which other versions do not read.

#include "config/core/mixturerecords.h"
#include "model/situations.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace titrage {

inline constexpr int kConfigRecords = 154;
inline constexpr int kRecordsPerSituation = 15;
inline constexpr int kFirstSituationRecord = 5;
inline constexpr const char* kConfigSignature = "OMRIX";
inline constexpr const char* kConfigExtension = ".C16";

// What a configuration file holds. Texts are UTF-8 here; the file holds them
// in Windows-1252.
struct ConfigData {
    bool masquer = false;
    bool check1 = false;
    bool check2 = false;
    std::array<Situation, kSituations> sit{};
};

// Record number (from 1) of a situation's field; `offset` is 0 for
// courbefinie, 1 + j for textesit(j), 7 + j for listesit(j), 10 + j for optsit(j).
constexpr int situationRecord(int k, int offset)
{
    return kFirstSituationRecord + kRecordsPerSituation * k + offset;
}

// Field encodings.
std::string encodeFlag(bool value);          // "1" / "0"
bool decodeFlag(std::string_view text);      // only "1" is true
std::string encodeInt16(std::int16_t value); // " 3", " 0", "-1"
// The number that begins the text, leading blanks skipped, "." as decimal
// point, an optional exponent; rounded to the nearest integer, halves to even.
// An empty or non-numeric text gives 0; nothing when the rounded value does
// not fit in 16 bits.
std::optional<std::int16_t> decodeInt16(std::string_view text);

// ---- Writing -----------------------------------------------------------

enum class ConfigWriteStatus {
    Ok,
    TextTooLong, // a text over 126 bytes once in Windows-1252; the file is not touched
    OpenFailed,  // missing folder, read-only folder or file, not a regular file
    WriteFailed, // a write or the closing failed (full disk)
};

// The 154 texts of the file in record order (UTF-8), a mixture's slot as
// singleCoupleApproximation gives it.
std::array<std::string, kConfigRecords> configRecords(const ConfigData& data);

// The bytes of the file: its 154 records (19,712 bytes), then the mixture
// part when a situation holds a mixture; nothing when a text is too long.
std::optional<std::string> configImage(const ConfigData& data);

// Writes the file at `path` (file-system encoding). Records 1 to 154 are
// rewritten; the bytes after record 154 stay as they were when the data
// holds no mixture and the old file no mixture part of ours, and are
// replaced by the new mixture part (or dropped) otherwise. Every record is
// checked first, and the new file replaces the old one only once it is whole
// on disk (platform/core/safesave.h): whatever fails, an existing file keeps every
// byte and no partial file is left.
ConfigWriteStatus writeConfiguration(const std::string& path, const ConfigData& data);

// ---- Reading -----------------------------------------------------------

enum class ConfigReadStatus {
    Ok,
    OpenFailed,   // no such regular file, or it cannot be opened
    BadSignature, // record 1 is not exactly "OMRIX"
    ReadFailed,   // a record could not be read (length word over 126, a text
                  // cut short, a number outside 16 bits, an I/O error)
};

struct ConfigRead {
    ConfigReadStatus status = ConfigReadStatus::Ok;
    // Records 1 .. recordsRead were read and decoded; the fields of later
    // records were not read and hold the defaults of ConfigData.
    int recordsRead = 0;
    // What became of the mixture part, read only after a whole first part;
    // the slots it gave hold their situation whole, mixture included.
    MixturePart mixtures = MixturePart::None;
    int mixtureBlocksLost = 0;
    ConfigData data;
};

// Decodes the bytes of a file from its start (a short file reads as empty
// records, decodeRecord's rules).
ConfigRead parseConfiguration(std::string_view image);

// Reads the file at `path` record by record, records 1 to 154 and the
// mixture part, and stops at the first record of the 154 that fails.
ConfigRead readConfiguration(const std::string& path);

// Copies into `situations` the situation fields that `read` holds from the file,
// leaving the others (and every textesit(6)) as they are; a slot read whole
// takes its mixture, or none, from the file.
void overlaySituations(const ConfigRead& read, std::array<Situation, kSituations>& situations);

// ---- Save name ---------------------------------------------------------

// The file name that saving builds from the name typed and the directory
// shown: blanks at both ends removed and everything from the last "." cut,
// repeatedly, until the file name holds no "."; the directory and one
// separator put in front unless the name holds a separator; ".C16" appended.
// Only the file name loses its dots: a typed or offered path whose folders
// hold a dot ("/home/jean.dupont/tp") keeps them, so the file goes where the
// path says. `separators` are the characters taken as separators, the first
// one being used for joining. Nothing when the file name becomes empty (a
// name beginning with a dot, a path ending with a separator).
std::optional<std::string> saveFileName(std::string_view typed, std::string_view directory,
                                        std::string_view separators);

} // namespace titrage
