#pragma once
// The mixtures of a configuration file, kept in records after the 154 that
// every version reads.
//
// The 154 records hold, in a mixture's slot, the single-couple titration
// closest to it (singleCoupleApproximation), so that a version that knows
// no mixtures opens the file with sensible situations. The records after
// them hold each mixture whole:
//
//   record 155          "MELANGES 1", what marks the part
//   record 156          the checksum of records 1 to 154 (8 hex digits)
//   record 157          the number of blocks that follow, 1 to 10
//   records 158 + 21b   block b, 21 records:
//     +0        the slot, 1 to 10
//     +1..+15   the situation's own 15 fields, in the order of the first part
//     +16       the titrant ("NaOH", "HCl", "AgNO3", "BaCl2", "Ba(OH)2")
//     +17..+19  the solutes, "KIND position pKa c" ("." decimals), blank when absent
//     +20       the block's checksum: of the first part's and of records +0..+19
//
// A version that knows no mixtures reads 154 records and stops; saving over
// our file it rewrites them in place and keeps the bytes after them. The
// first part's checksum then no longer matches, and the blocks, which would
// describe situations that are no longer there, are ignored. Each block
// carries its own checksum, so a file cut short or damaged in its last
// records loses only the blocks concerned: their slots read as the first
// part holds them.

#include "model/situations.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titrage {

inline constexpr int kMixtureFirstRecord = 155;
inline constexpr int kMixtureBlockRecords = 21;
inline constexpr const char* kMixtureSignature = "MELANGES 1";

// The single-couple situation that stands for `s` in the first part: when
// exactly one of its solutes is a catalogue acid titrated by sodium
// hydroxide (a catalogue base by hydrochloric acid), that solute alone, with
// the situation's volumes and burette; the salts beside it are left out,
// which keeps the equivalence. Any other mixture (a precipitation, two acids)
// has no single couple that titrates like it: an empty situation. A
// situation without a mixture is returned as it is.
Situation singleCoupleApproximation(const Situation& s);

// CRC-32 (the zlib polynomial) of `bytes`, continuing from `crc`.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

// The checksum of the first part from its 154 raw texts (Windows-1252): of
// each text's length word and bytes, padding aside, so that a rewrite that
// keeps every text (another version saving what it read) keeps it too.
std::uint32_t firstPartChecksum(const std::function<std::string_view(int)>& rawText);

// The raw texts (Windows-1252) of records 155 on for the situations of
// `sit` that hold a mixture; empty when none does. Nothing when a text does
// not fit in a record.
std::optional<std::vector<std::string>>
mixtureRecords(const std::array<Situation, kSituations>& sit, std::uint32_t firstChecksum);

enum class MixturePart {
    None,    // no mixture part: a file of another version, or without mixtures
    Read,    // every block read
    Stale,   // the first part was rewritten since: the blocks were ignored
    Damaged, // some blocks were unreadable or failed their checksum; the others were read
};

struct MixtureRead {
    MixturePart part = MixturePart::None;
    // The whole situation of each slot a block gave, mixture included.
    std::array<std::optional<Situation>, kSituations> blockSituations{};
    int blocksLost = 0;
};

// Reads the mixture part through `record` (raw text of record n, nothing on a
// read failure), given the checksum of the first part as read.
MixtureRead readMixtureRecords(const std::function<std::optional<std::string>(int)>& record,
                               std::uint32_t firstChecksum);

} // namespace titrage
