// A configuration's values run through the bench's computations: the file is
// read, its texts corrected by the entry rules as loading does, and one of its
// situations measured, tabulated, drawn as the theoretical curve and given the
// constructions. Nothing computed may be NaN or infinite.
#include "config/core/configfile.h"
#include "config/core/configvalues.h"
#include "graph/core/constructions.h"
#include "model/curve.h"
#include "model/measurement.h"
#include "model/model.h"
#include "platform/core/numberformat.h"

#include "fuzz/fuzzsupport.h"

#include <cmath>
#include <cstdint>

using namespace titrage;

namespace {

bool isFiniteValue(double x)
{
    return std::isfinite(x);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view image(reinterpret_cast<const char*>(data), size);
    const ConfigRead read = parseConfiguration(image);
    if (read.recordsRead < situationRecord(0, 14)) return 0;
    std::array<Situation, kSituations> situations{};
    overlaySituations(read, situations);

    // One situation per input, chosen by the input, so that a run stays short.
    const std::size_t k = size % kSituations;
    Situation& s = situations[k];
    correctSituation(s);

    static Model catalogue = [] {
        Model m;
        initcatalogue(m);
        return m;
    }();
    Model model = catalogue;
    (void)soluteName(model, s); // any stored position
    const bool acide = s.optsit[1];
    // The solute list holds positions 0 to 14; the bench shows another as none.
    const int position = ((s.listesit[1] % 15) + 15) % 15;
    chpk(model, acide, position, s.textesit[0]);

    BenchEntries entries;
    entries.acide = acide;
    entries.position = position;
    entries.c = parseFloat(s.textesit[3]);
    entries.cburette = parseFloat(s.textesit[1]);
    entries.vsol = parseFloat(s.textesit[4]);
    entries.veau = parseFloat(s.textesit[5]);
    entries.vverse = parseFloat(s.textesit[2]);
    CHECK(entries.c && entries.cburette && entries.vsol && entries.veau && entries.vverse);

    const double ph = measure(model, entries);
    CHECK(isFiniteValue(ph) && isFiniteValue(model.sigma));
    CHECK(conductimeterText(model.sigma).find_first_of("nN") == std::string::npos);

    entries.vverse = 0.0f;
    const SigmaScale scale = valimax(model, entries, nullptr, false);
    CHECK(isFiniteValue(scale.maxaxe) && scale.maxaxe > 0);

    for (const TableRow& row : tabulate(model, entries, 5)) {
        CHECK(isFiniteValue(row.v) && isFiniteValue(row.sigma) && isFiniteValue(row.ph) &&
              isFiniteValue(row.xprinc));
        CHECK(isFiniteValue(row.h3o) && isFiniteValue(row.ho));
    }

    loadModel(model, entries);
    std::vector<CurveVertex> vertices;
    walkCurve(model, entries.sigmaInputs(), scale.maxaxe, vertices);
    CHECK(!vertices.empty());
    for (const CurveVertex& p : vertices)
        CHECK(isFiniteValue(p.sigma) && isFiniteValue(p.x) && isFiniteValue(p.y));

    loadModel(model, entries);
    const TangentConstruction t = tangente(model, acide);
    if (t.outcome != TangentOutcome::OutOfRange)
        CHECK(isFiniteValue(t.veq) && isFiniteValue(t.slope) && isFiniteValue(t.e.x) &&
              isFiniteValue(t.e.y));
    loadModel(model, entries);
    for (const PlotPoint& p : btderive(model))
        CHECK(isFiniteValue(p.x) && isFiniteValue(p.y));
    return 0;
}
