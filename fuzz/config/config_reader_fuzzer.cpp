// The configuration reader on any bytes: it must never crash, must report
// where it stopped, and whatever it reads completely must save and read back
// to the same fields. The disk path (readConfiguration, writeConfiguration)
// must agree with the in-memory one.
#include "config/core/configfile.h"
#include "platform/core/recordfile.h"

#include "fuzz/fuzzsupport.h"

#include <cstdint>
#include <cstdlib>

using namespace titrage;

namespace {

bool sameStoredFields(const ConfigData& a, const ConfigData& b)
{
    if (a.masquer != b.masquer || a.check1 != b.check1 || a.check2 != b.check2) return false;
    for (std::size_t k = 0; k < kSituations; ++k) {
        const Situation& x = a.sit[k];
        const Situation& y = b.sit[k];
        if (x.courbefinie != y.courbefinie || x.listesit != y.listesit || x.optsit != y.optsit)
            return false;
        for (std::size_t j = 0; j < 6; ++j)
            if (x.textesit[j] != y.textesit[j]) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzzing::scratchPath("read.C16");
    static const std::string saved = fuzzing::scratchPath("saved.C16");
    const std::string_view image(reinterpret_cast<const char*>(data), size);

    const ConfigRead read = parseConfiguration(image);
    CHECK(read.recordsRead >= 0 && read.recordsRead <= kConfigRecords);
    switch (read.status) {
    case ConfigReadStatus::Ok:
        CHECK(read.recordsRead == kConfigRecords);
        break;
    case ConfigReadStatus::BadSignature:
        CHECK(read.recordsRead == 1);
        break;
    case ConfigReadStatus::ReadFailed:
        CHECK(read.recordsRead < kConfigRecords);
        break;
    case ConfigReadStatus::OpenFailed:
        CHECK(false);
        break;
    }
    // A signature refused only when record 1 really differs.
    if (read.status == ConfigReadStatus::BadSignature) CHECK(decodeRecord(image, 1) != "OMRIX");
    // The failing record is the one after the last read.
    if (read.status == ConfigReadStatus::ReadFailed) {
        const auto failing = decodeRecord(image, read.recordsRead + 1);
        const bool listRecord =
            read.recordsRead + 1 >= kFirstSituationRecord &&
            (read.recordsRead + 1 - kFirstSituationRecord) % kRecordsPerSituation >= 7 &&
            (read.recordsRead + 1 - kFirstSituationRecord) % kRecordsPerSituation <= 9;
        CHECK(!failing || (listRecord && !decodeInt16(*failing)));
    }

    std::array<Situation, kSituations> situations{};
    overlaySituations(read, situations);

    // The disk gives the same answer.
    fuzzing::writeScratch(path, image);
    const ConfigRead fromDisk = readConfiguration(path);
    CHECK(fromDisk.status == read.status);
    CHECK(fromDisk.recordsRead == read.recordsRead);
    CHECK(sameStoredFields(fromDisk.data, read.data));

    // What was read saves and reads back the same.
    if (read.status == ConfigReadStatus::Ok) {
        const auto again = configImage(read.data);
        bool mixtures = false;
        for (const Situation& s : read.data.sit)
            mixtures = mixtures || s.mixture.has_value();
        CHECK(again && (again->size() == 19712) == !mixtures);
        const ConfigRead reread = parseConfiguration(*again);
        CHECK(reread.status == ConfigReadStatus::Ok);
        CHECK(sameStoredFields(reread.data, read.data));
        // Saving over the input keeps its bytes after record 154, unless
        // they are a mixture part.
        fuzzing::writeScratch(saved, image);
        CHECK(writeConfiguration(saved, read.data) == ConfigWriteStatus::Ok);
        const std::string bytes = fuzzing::readScratch(saved);
        const bool tailKept = !mixtures && read.mixtures == MixturePart::None;
        if (tailKept && image.size() > 19712)
            CHECK(bytes == *again + std::string(image.substr(19712)));
        else
            CHECK(bytes == *again);
    }

    // Any text as a list index: a value, or nothing only out of 16 bits.
    const std::string_view text = image.substr(0, 64);
    if (const auto value = decodeInt16(text)) CHECK(decodeInt16(encodeInt16(*value)) == *value);
    return 0;
}
