#include "model/measurement.h"

#include "model/realsolution.h"
#include "model/solver.h"
#include "platform/core/numberformat.h"

#include <cmath>

namespace titrage {

namespace {

void assignIfFinite(float& target, double value)
{
    if (std::isfinite(value) && std::fabs(value) <= 3.4e38) target = static_cast<float>(value);
}

void loadFromValues(Model& model, bool acide, int position, std::optional<float> c,
                    std::optional<float> cb, std::optional<float> vsol, std::optional<float> vverse,
                    std::optional<float> veau)
{
    if (c && vsol && veau && (*veau + *vsol) != 0.0f)
        assignIfFinite(model.cdilue,
                       static_cast<double>(*c) * *vsol / (static_cast<double>(*veau) + *vsol));
    if (cb) model.ctitrant = *cb;
    if (vsol && veau) assignIfFinite(model.vinitial, static_cast<double>(*veau) + *vsol);
    if (vverse) model.vverse = *vverse;
    if (position >= 0 && position < kListEntries) {
        model.kcouple = couplingConstant(model, acide, position);
        model.acidBeaker = acide;
        model.saltCouple = isSaltCouple(acide, position);
    }
}

} // namespace

float couplingConstant(const Model& model, bool acide, int position)
{
    const int row = position + 1;
    const double k =
        acide ? std::pow(10.0, -model.pkacide[row]) : std::pow(10.0, model.pkbase[row] - 14.0);
    return static_cast<float>(k);
}

void loadModel(Model& model, const BenchEntries& e)
{
    loadFromValues(model, e.acide, e.position, e.c, e.cburette, e.vsol, e.vverse, e.veau);
}

BenchEntries benchEntriesOf(const Situation& s)
{
    BenchEntries e;
    e.acide = s.optsit[1];
    e.position = s.listesit[1];
    e.c = parseFloat(s.textesit[TextConcentration]);
    e.cburette = parseFloat(s.textesit[TextBurette]);
    e.vsol = parseFloat(s.textesit[TextVsol]);
    e.vverse = parseFloat(s.textesit[TextPoured]);
    e.veau = parseFloat(s.textesit[TextWater]);
    return e;
}

void loadModelFromSituation(Model& model, const Situation& s)
{
    loadModel(model, benchEntriesOf(s));
    // A user-defined solute keeps the pKa stored with its situation, not the
    // one the bench holds now for the current situation.
    if (s.listesit[1] == kOtherPosition) {
        Model own = model;
        chpk(own, s.optsit[1], kOtherPosition, s.textesit[TextPka]);
        model.kcouple = couplingConstant(own, s.optsit[1], kOtherPosition);
    }
}

double solveMeasurement(Model& model, const BenchEntries& entries)
{
    loadModel(model, entries);
    if (model.vverse == 0.0f)
        solvinit(model);
    else
        solvmelange(model, entries.acide);
    return phOfModel(model, entries.acide);
}

double measure(Model& model, const BenchEntries& entries)
{
    const double ph = solveMeasurement(model, entries);
    calcsigma(model, entries.sigmaInputs(), ph, model.vverse);
    return ph;
}

std::string conductimeterText(float sigma)
{
    return generalFormat(static_cast<float>(roundSignificant(sigma, 3)));
}

int tableColumns(bool acide, int position)
{
    return isStrongSolute(acide, position) ? 4 : 6;
}

TableRow makeRow(Model& model, const SigmaInputs& in, double volumeForSigma)
{
    if (model.vverse == 0.0f && model.xprinc > 0.0f)
        model.phcalc = static_cast<float>(phOfModel(model, in.acide));
    computeSigma(model, in, model.phcalc, volumeForSigma);
    return rowFromState(model, in, model.phcalc);
}

TableRow rowFromState(const Model& model, const SigmaInputs& in, double ph)
{
    TableRow row;
    row.v = model.vverse;
    row.sigma = model.sigma;
    row.ph = ph;
    row.xprinc = model.xprinc;
    row.h3o = std::pow(10.0, -ph);
    row.ho = std::pow(10.0, ph - 14.0);
    // Outside the ideal at 25 °C the columns stay concentrations: the pH is
    // that of an activity, and Ke and the constants are the conditional ones
    // at the activity coefficient the conductivity settled on.
    const bool ideal = model.conditions.ideal25();
    const double g2 = model.gamma * model.gamma;
    if (!ideal) {
        row.h3o /= model.gamma;
        row.ho = mediumOf(model.conditions).ke / (g2 * row.h3o);
    }
    if (tableColumns(in.acide, in.position) > 4) {
        const double total = static_cast<double>(model.vinitial) + model.vverse;
        double ka = in.acide ? static_cast<double>(model.kcouple)
                             : 1e-14 / static_cast<double>(model.kcouple);
        if (!ideal) ka /= g2;
        if (total != 0.0 && std::isfinite(ka)) {
            const double c = static_cast<double>(model.cdilue) * model.vinitial / total;
            const double h = row.h3o;
            if (h + ka != 0.0) {
                row.acide = c * h / (h + ka);
                row.base = c - *row.acide;
            }
        }
    }
    return row;
}

std::vector<std::string> formatRow(const TableRow& row, int columns)
{
    std::vector<std::string> cells;
    cells.push_back(formatNumber(row.v, "#0.0#"));
    cells.push_back(conductimeterText(row.sigma));
    cells.push_back(formatNumber(row.h3o, "0.00E+00"));
    cells.push_back(formatNumber(row.ho, "0.00E+00"));
    if (columns > 4) {
        cells.push_back(row.acide ? formatNumber(*row.acide, "0.00E+00") : std::string());
        cells.push_back(row.base ? formatNumber(*row.base, "0.00E+00") : std::string());
    }
    return cells;
}

std::vector<std::string> formatRow(const TableRow& row, int columns, bool phColumn)
{
    std::vector<std::string> cells = formatRow(row, columns);
    if (phColumn) cells.push_back(std::isfinite(row.ph) ? formatNumber(row.ph, "#0.00") : "");
    return cells;
}

std::vector<TableRow> tabulate(Model& model, BenchEntries entries, int stepTenths)
{
    std::vector<TableRow> rows;
    if (stepTenths < 1) return rows; // the step is a divisor: a zero step never ends
    rows.reserve(static_cast<size_t>(250 / stepTenths + 2));
    const SigmaInputs in = entries.sigmaInputs();

    // The volume counts in whole tenths of a millilitre, and the table stops
    // before a step that would pass the burette's 25 mL. Added up as decimals
    // with a 0.1 mL tolerance, 0.1 mL steps drift and lose the 25 mL row, and
    // exact sums would let a 0.3 mL step reach 25.2 mL.
    int tenths = 0;
    entries.vverse = parseFloat(formatNumber(0.0, "####0.0"));
    loadModel(model, entries);
    solvinit(model);
    model.vverse = 0; // the first row is the state with nothing poured
    rows.push_back(makeRow(model, in, model.vverse));
    for (;;) {
        if (model.vverse == 0.0f && model.xprinc > 0.0f)
            model.phcalc = static_cast<float>(phOfModel(model, entries.acide));
        if (tenths + stepTenths > 250) break;
        tenths += stepTenths;
        entries.vverse = parseFloat(formatNumber(tenths / 10.0, "####0.0"));
        measure(model, entries);
        rows.push_back(makeRow(model, in, model.vverse));
    }
    return rows;
}

SigmaScale valimax(Model& model, BenchEntries entries, const SituationStore* store, bool superpose)
{
    SigmaScale scale;
    for (const float v : {0.0f, 25.0f}) {
        entries.vverse = v;
        measure(model, entries);
        const auto rounded = parseNumber(formatNumber(model.sigma, "0.0E+00"));
        if (rounded && *rounded > scale.sigmamax) scale.sigmamax = static_cast<float>(*rounded);
    }
    if (superpose && store) {
        for (int k = 0; k < kSituations; ++k) {
            const Situation& s = store->sit[k];
            if (!s.courbefinie || k == store->numsit) continue;
            const auto stored = parseNumber(s.textesit[TextSigmamax]);
            if (stored && *stored > scale.maxaxe) scale.maxaxe = static_cast<float>(*stored);
        }
    }
    if (scale.sigmamax > scale.maxaxe) scale.maxaxe = scale.sigmamax;
    return scale;
}

} // namespace titrage
