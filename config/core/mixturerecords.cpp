#include "config/core/mixturerecords.h"

#include "config/core/configfile.h"
#include "model/mixturebench.h"
#include "platform/core/numberformat.h"
#include "platform/core/recordfile.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace titrage {

namespace {

constexpr int kHeaderRecords = 3; // signature, checksum, block count
constexpr int kFieldsPerSituation = 15;

struct Token {
    const char* text;
    int value;
};

constexpr Token kKinds[] = {
    {"ACIDE", static_cast<int>(MixSoluteKind::CatalogueAcid)},
    {"BASE", static_cast<int>(MixSoluteKind::CatalogueBase)},
    {"NaCl", static_cast<int>(MixSoluteKind::SodiumChloride)},
    {"KCl", static_cast<int>(MixSoluteKind::PotassiumChloride)},
    {"Na2SO4", static_cast<int>(MixSoluteKind::SodiumSulfate)},
    {"H2SO4", static_cast<int>(MixSoluteKind::SulfuricAcid)},
    {"H3PO4", static_cast<int>(MixSoluteKind::PhosphoricAcid)},
};

constexpr Token kTitrants[] = {
    {"NaOH", static_cast<int>(MixTitrant::SodiumHydroxide)},
    {"HCl", static_cast<int>(MixTitrant::HydrochloricAcid)},
    {"AgNO3", static_cast<int>(MixTitrant::SilverNitrate)},
    {"BaCl2", static_cast<int>(MixTitrant::BariumChloride)},
    {"Ba(OH)2", static_cast<int>(MixTitrant::BariumHydroxide)},
};

template <std::size_t N> const char* tokenOf(const Token (&tokens)[N], int value)
{
    for (const Token& t : tokens)
        if (t.value == value) return t.text;
    return "";
}

template <std::size_t N> std::optional<int> valueOf(const Token (&tokens)[N], std::string_view text)
{
    for (const Token& t : tokens)
        if (text == t.text) return t.value;
    return std::nullopt;
}

// Numbers in the shortest text that reads back to the same double, "."
// whatever the locale.
std::string number(double x)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

std::optional<double> readNumber(std::string_view text)
{
    double x = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), x);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(x))
        return std::nullopt;
    return x;
}

// The words of a record, separated by single blanks.
std::vector<std::string_view> words(std::string_view text)
{
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const auto blank = text.find(' ');
        out.push_back(text.substr(0, blank));
        if (blank == std::string_view::npos) break;
        text.remove_prefix(blank + 1);
    }
    return out;
}

std::string hex(std::uint32_t value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(value));
    return buf;
}

// The 15 fields of a situation as the first part writes them, raw.
std::array<std::string, kFieldsPerSituation> situationFields(const Situation& s)
{
    std::array<std::string, kFieldsPerSituation> f;
    f[0] = encodeFlag(s.courbefinie);
    for (std::size_t j = 0; j < 6; ++j)
        f[1 + j] = utf8ToCp1252(s.textesit[j]);
    for (std::size_t j = 0; j < 3; ++j)
        f[7 + j] = encodeInt16(s.listesit[j]);
    for (std::size_t j = 0; j < 5; ++j)
        f[10 + j] = encodeFlag(s.optsit[j]);
    return f;
}

bool isCatalogue(MixSoluteKind k)
{
    return k == MixSoluteKind::CatalogueAcid || k == MixSoluteKind::CatalogueBase;
}

// A mixture the bench could have made: one to three solutes of its list,
// each within the panel's concentrations, a combination the engine treats.
bool plausible(const Mixture& m)
{
    if (m.soluteCount < 1 || m.soluteCount > kMaxMixSolutes) return false;
    for (int i = 0; i < m.soluteCount; ++i) {
        const MixSolute& s = m.solutes[static_cast<std::size_t>(i)];
        if (mixSoluteChoiceIndex(s) < 0 || !(s.c >= kMixMinConcentration) ||
            !(s.c <= kMixMaxConcentration) || !(s.pka >= 0 && s.pka <= 14))
            return false;
    }
    return !mixtureRefusal(m).has_value();
}

// Decodes one block; nothing when any of it does not hold.
std::optional<std::pair<int, Situation>>
decodeBlock(const std::function<std::optional<std::string>(int)>& record, int first,
            std::uint32_t firstChecksum)
{
    std::array<std::string, kMixtureBlockRecords> r;
    std::uint32_t crc = crc32(hex(firstChecksum));
    for (int i = 0; i < kMixtureBlockRecords; ++i) {
        auto text = record(first + i);
        if (!text) return std::nullopt;
        r[static_cast<std::size_t>(i)] = std::move(*text);
        if (i + 1 < kMixtureBlockRecords) crc = crc32(r[static_cast<std::size_t>(i)] + '\n', crc);
    }
    if (r[kMixtureBlockRecords - 1] != hex(crc)) return std::nullopt;

    const auto slot = decodeInt16(r[0]);
    if (!slot || *slot < 1 || *slot > kSituations) return std::nullopt;
    Situation s;
    s.courbefinie = decodeFlag(r[1]);
    for (std::size_t j = 0; j < 6; ++j)
        s.textesit[j] = cp1252ToUtf8(r[2 + j]);
    for (std::size_t j = 0; j < 3; ++j) {
        const auto v = decodeInt16(r[8 + j]);
        if (!v) return std::nullopt;
        s.listesit[j] = *v;
    }
    for (std::size_t j = 0; j < 5; ++j)
        s.optsit[j] = decodeFlag(r[11 + j]);

    Mixture m;
    const std::vector<std::string_view> t = words(r[16]);
    if (t.size() != 4) return std::nullopt;
    const auto titrant = valueOf(kTitrants, t[0]);
    const auto ct = readNumber(t[1]), vsol = readNumber(t[2]), veau = readNumber(t[3]);
    if (!titrant || !ct || !vsol || !veau) return std::nullopt;
    m.titrant = static_cast<MixTitrant>(*titrant);
    m.ctitrant = *ct;
    m.vsol = *vsol;
    m.veau = *veau;
    for (std::size_t i = 0; i < kMaxMixSolutes; ++i) {
        const std::string& text = r[17 + i];
        if (text.empty()) continue;
        if (static_cast<std::size_t>(m.soluteCount) != i) return std::nullopt; // a gap
        const std::vector<std::string_view> w = words(text);
        if (w.size() != 4) return std::nullopt;
        const auto kind = valueOf(kKinds, w[0]);
        const auto position = readNumber(w[1]), pka = readNumber(w[2]), c = readNumber(w[3]);
        if (!kind || !position || !pka || !c || *position != std::floor(*position) ||
            std::fabs(*position) > kListEntries)
            return std::nullopt;
        m.solutes[i] = {static_cast<MixSoluteKind>(*kind), static_cast<int>(*position), *pka, *c};
        ++m.soluteCount;
    }
    if (!plausible(m)) return std::nullopt;
    s.mixture = m;
    return std::pair{*slot - 1, s};
}

} // namespace

Situation singleCoupleApproximation(const Situation& s)
{
    if (!s.mixture) return s;
    const Mixture& m = *s.mixture;
    // The solutes that the titrant titrates, and the one among them the
    // single-couple bench can hold.
    int reacting = 0;
    const MixSolute* couple = nullptr;
    for (int i = 0; i < std::clamp(m.soluteCount, 0, kMaxMixSolutes); ++i) {
        const MixSolute& solute = m.solutes[static_cast<std::size_t>(i)];
        const bool acid = solute.kind == MixSoluteKind::CatalogueAcid ||
                          solute.kind == MixSoluteKind::SulfuricAcid ||
                          solute.kind == MixSoluteKind::PhosphoricAcid;
        const bool base = solute.kind == MixSoluteKind::CatalogueBase;
        const bool titrated = (m.titrant == MixTitrant::SodiumHydroxide && acid) ||
                              (m.titrant == MixTitrant::HydrochloricAcid && base);
        if (!titrated) continue;
        ++reacting;
        if (isCatalogue(solute.kind)) couple = &solute;
    }
    if (reacting != 1 || !couple) return Situation{};
    Situation out = s;
    out.mixture.reset();
    out.optsit[1] = couple->kind == MixSoluteKind::CatalogueAcid;
    out.listesit[1] = static_cast<std::int16_t>(couple->position);
    out.textesit[TextConcentration] = generalFormat(couple->c);
    return out;
}

std::uint32_t crc32(std::string_view bytes, std::uint32_t crc)
{
    crc = ~crc;
    for (const char ch : bytes) {
        crc ^= static_cast<unsigned char>(ch);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t firstPartChecksum(const std::function<std::string_view(int)>& rawText)
{
    std::uint32_t crc = 0;
    for (int n = 1; n <= kConfigRecords; ++n) {
        const std::string_view text = rawText(n);
        const char length[2] = {static_cast<char>(text.size() & 0xFF),
                                static_cast<char>((text.size() >> 8) & 0xFF)};
        crc = crc32(std::string_view(length, 2), crc);
        crc = crc32(text, crc);
    }
    return crc;
}

std::optional<std::vector<std::string>>
mixtureRecords(const std::array<Situation, kSituations>& sit, std::uint32_t firstChecksum)
{
    std::vector<std::string> out;
    int blocks = 0;
    for (const Situation& s : sit)
        blocks += s.mixture ? 1 : 0;
    if (blocks == 0) return out;
    out.push_back(kMixtureSignature);
    out.push_back(hex(firstChecksum));
    out.push_back(encodeInt16(static_cast<std::int16_t>(blocks)));
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = sit[static_cast<std::size_t>(k)];
        if (!s.mixture) continue;
        const Mixture& m = *s.mixture;
        std::vector<std::string> block;
        block.push_back(encodeInt16(static_cast<std::int16_t>(k + 1)));
        for (const std::string& f : situationFields(s))
            block.push_back(f);
        block.push_back(std::string(tokenOf(kTitrants, static_cast<int>(m.titrant))) + ' ' +
                        number(m.ctitrant) + ' ' + number(m.vsol) + ' ' + number(m.veau));
        for (int i = 0; i < kMaxMixSolutes; ++i) {
            const MixSolute& solute = m.solutes[static_cast<std::size_t>(i)];
            block.push_back(i < m.soluteCount
                                ? std::string(tokenOf(kKinds, static_cast<int>(solute.kind))) +
                                      ' ' + std::to_string(solute.position) + ' ' +
                                      number(solute.pka) + ' ' + number(solute.c)
                                : std::string());
        }
        std::uint32_t crc = crc32(hex(firstChecksum));
        for (const std::string& text : block)
            crc = crc32(text + '\n', crc);
        block.push_back(hex(crc));
        for (std::string& text : block) {
            if (text.size() > kRecordTextMax) return std::nullopt;
            out.push_back(std::move(text));
        }
    }
    return out;
}

MixtureRead readMixtureRecords(const std::function<std::optional<std::string>(int)>& record,
                               std::uint32_t firstChecksum)
{
    MixtureRead result;
    const auto signature = record(kMixtureFirstRecord);
    if (!signature || *signature != kMixtureSignature) return result;
    const auto checksum = record(kMixtureFirstRecord + 1);
    if (!checksum || *checksum != hex(firstChecksum)) {
        result.part = MixturePart::Stale;
        return result;
    }
    result.part = MixturePart::Read;
    const auto count = record(kMixtureFirstRecord + 2);
    const auto blocks = count ? decodeInt16(*count) : std::nullopt;
    // A damaged count still lets the blocks be looked for: each proves itself.
    const int expected = blocks && *blocks >= 1 && *blocks <= kSituations ? *blocks : kSituations;
    if (!blocks || *blocks != expected) result.part = MixturePart::Damaged;
    for (int b = 0; b < expected; ++b) {
        const auto block = decodeBlock(
            record, kMixtureFirstRecord + kHeaderRecords + b * kMixtureBlockRecords, firstChecksum);
        if (!block || result.blockSituations[static_cast<std::size_t>(block->first)]) {
            ++result.blocksLost;
            result.part = MixturePart::Damaged;
            continue;
        }
        result.blockSituations[static_cast<std::size_t>(block->first)] = block->second;
    }
    return result;
}

} // namespace titrage
