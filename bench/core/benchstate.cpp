#include "bench/core/benchstate.h"

#include "platform/core/numberformat.h"

#include <algorithm>
#include <cmath>

namespace titrage {

std::string phMeterText(double ph)
{
    if (!std::isfinite(ph)) return "pH = --,--";
    return "pH = " + formatNumber(ph, "#0.00");
}

double randomConcentration(double r)
{
    return roundSignificant((r * 9 + 1) / 1000, 3);
}

void BenchState::resetSituations()
{
    m_store = SituationStore{};
    m_store.numsit = -1;
}

void BenchState::setCurrent(int k)
{
    if (k >= 0 && k < kSituations) m_store.numsit = static_cast<std::int16_t>(k);
}

void BenchState::valimax(const BenchEntries& entries, bool superpose)
{
    if (m_mixture) {
        // The same scale as titrage::valimax, sigma from the engine.
        m_sigmamax = mixtureSigmaMax(mixtureWith(*m_mixture, entries.sigmaInputs()), m_model);
        m_maxaxe = 0;
        for (int k = 0; superpose && k < kSituations; ++k) {
            const Situation& s = m_store.sit[k];
            if (!s.courbefinie || k == m_store.numsit) continue;
            const auto stored = parseNumber(s.textesit[TextSigmamax]);
            if (stored && *stored > m_maxaxe) m_maxaxe = static_cast<float>(*stored);
        }
        m_maxaxe = std::max(m_maxaxe, m_sigmamax);
        return;
    }
    const SigmaScale scale = titrage::valimax(m_model, entries, &m_store, superpose);
    m_sigmamax = scale.sigmamax;
    m_maxaxe = scale.maxaxe;
}

const std::vector<MeasuredPoint>& BenchState::measuredPoints(int k) const
{
    const std::vector<MeasuredPoint>& imported = importedPoints(k);
    return imported.empty() ? pouredPoints(k) : imported;
}

const std::vector<MeasuredPoint>& BenchState::pouredPoints(int k) const
{
    static const std::vector<MeasuredPoint> none;
    return k >= 0 && k < kSituations ? m_points[k] : none;
}

const std::vector<MeasuredPoint>& BenchState::importedPoints(int k) const
{
    static const std::vector<MeasuredPoint> none;
    return k >= 0 && k < kSituations ? m_imported[k] : none;
}

void BenchState::importPoints(int k, const std::vector<ImportedMeasurement>& points)
{
    if (k < 0 || k >= kSituations) return;
    std::vector<MeasuredPoint>& into = m_imported[k];
    into.clear();
    for (const ImportedMeasurement& p : points) {
        TableRow row;
        row.v = static_cast<float>(p.volume);
        row.sigma = static_cast<float>(p.sigma);
        into.push_back({p.volume, p.sigma, row, true});
    }
}

void BenchState::restartPoints()
{
    if (!m_keepPoints && current() >= 0) m_points[current()].clear();
}

std::optional<TableRow> BenchState::measurePoint(const SigmaInputs& inputs, double typed)
{
    if (m_mixture) {
        const std::optional<MixPoint> p = measureMixture(inputs, typed);
        if (!p) return std::nullopt;
        TableRow row = mixtureRow(*p);
        row.v = m_model.vverse;
        // A realistic series reads the conductimeter as on a single couple;
        // the beaker's cloudiness and the ions' shares stay the exact point's.
        if (m_scatter) {
            const MixtureEngine engine(mixtureWith(*m_mixture, inputs), m_model);
            double read = row.sigma;
            if (realisticMixtureSigma(engine, row.v, *m_scatter, read) == MixStatus::Ok)
                m_model.sigma = row.sigma = static_cast<float>(read);
        }
        return row;
    }
    TableRow row = makeRow(m_model, inputs, typed);
    if (!std::isfinite(m_model.sigma) || !std::isfinite(row.sigma)) return std::nullopt;
    if (m_scatter) scatterRow(m_model, inputs, row, *m_scatter);
    return row;
}

void BenchState::recordPoint(const TableRow& row)
{
    if (m_keepPoints || current() < 0) return;
    std::vector<MeasuredPoint>& points = m_points[current()];
    if (m_model.vverse == 0.0f) points.clear();
    points.push_back({m_model.vverse, m_model.sigma, row});
}

void BenchState::restorePoints(int k, std::vector<MeasuredPoint> points)
{
    if (k >= 0 && k < kSituations) m_points[k] = std::move(points);
}

void BenchState::storeSituation(int k, const BenchControls& controls, float poured)
{
    if (k < 0 || k >= kSituations) return;
    Situation& s = m_store.sit[k];
    if (controls.conductimetre && poured >= 25.0f) s.courbefinie = true;
    s.optsit[1] = controls.acide;
    s.optsit[2] = controls.burette;
    s.optsit[3] = controls.conductimetre;
    s.optsit[4] = controls.masked;
    s.listesit[1] = static_cast<std::int16_t>(controls.solute);
    s.listesit[2] = static_cast<std::int16_t>(controls.indicator);
    storeEntries(s, controls.texts);
    s.textesit[TextSigmamax] = generalFormat(m_sigmamax);
    s.mixture = m_mixture;
}

void BenchState::replaceSituations(const std::array<Situation, kSituations>& situations)
{
    m_store.sit = situations;
    for (auto& points : m_points)
        points.clear();
    for (auto& points : m_imported)
        points.clear();
    m_randomDrawn = {};
    for (Situation& s : m_store.sit) {
        // A file's mixture reaches the bench only if the bench could have
        // made it with the slot's volumes and burette; otherwise the slot is
        // the single couple its fields describe.
        if (s.mixture && mixtureBenchRefusal(mixtureWith(*s.mixture, sigmaInputsOf(s)), m_model))
            s.mixture.reset();
        if (!s.courbefinie) continue;
        if (s.mixture) {
            const float sigmamax =
                mixtureSigmaMax(mixtureWith(*s.mixture, sigmaInputsOf(s)), m_model);
            if (sigmamax > 0) s.textesit[TextSigmamax] = generalFormat(sigmamax);
            continue;
        }
        Model own = m_model;
        loadModelFromSituation(own, s);
        const BenchEntries e = benchEntriesOf(s);
        if (e.position == kOtherPosition) chpk(own, e.acide, kOtherPosition, s.textesit[TextPka]);
        const SigmaScale scale = titrage::valimax(own, e, nullptr, false);
        if (std::isfinite(scale.sigmamax)) s.textesit[TextSigmamax] = generalFormat(scale.sigmamax);
    }
}

bool BenchState::forgetChangedCurve(EntryBox box, bool otherSolute)
{
    const bool shapesCurve = box == BoxConcentration || box == BoxBurette || box == BoxVsol ||
                             box == BoxWater || (box == BoxPka && otherSolute);
    if (!shapesCurve || current() < 0) return false;
    Situation& s = m_store.sit[current()];
    if (!s.courbefinie) return false;
    s.courbefinie = false;
    return true;
}

void BenchState::unfinishCurrent()
{
    if (current() >= 0) m_store.sit[current()].courbefinie = false;
}

bool BenchState::randomDrawn(int k) const
{
    return k >= 0 && k < kSituations && m_randomDrawn[k];
}

void BenchState::setRandomDrawn(bool drawn)
{
    if (current() >= 0) m_randomDrawn[current()] = drawn;
}

const std::vector<CurveVertex>& BenchState::walkCurrent(const BenchEntries& entries)
{
    if (m_mixture) {
        walkMixtureCurve(mixtureWith(*m_mixture, entries.sigmaInputs()), m_model, m_maxaxe,
                         m_vertices);
        return m_vertices;
    }
    walkCurve(m_model, entries.sigmaInputs(), m_maxaxe, m_vertices);
    return m_vertices;
}

const std::vector<CurveVertex>& BenchState::walkFinished(int n)
{
    const Situation& s = m_store.sit[n];
    if (s.mixture) {
        walkMixtureCurve(mixtureWith(*s.mixture, sigmaInputsOf(s)), m_model, m_maxaxe, m_vertices);
        return m_vertices;
    }
    loadModelFromSituation(m_model, s);
    walkCurve(m_model, sigmaInputsOf(s), m_maxaxe, m_vertices);
    return m_vertices;
}

std::optional<MixPoint> BenchState::measureMixture(const SigmaInputs& inputs, double v)
{
    if (!m_mixture) return std::nullopt;
    const std::optional<MixPoint> p =
        solveMixturePoint(mixtureWith(*m_mixture, inputs), m_model, v);
    if (!p || !std::isfinite(p->sigma) || !std::isfinite(p->ph)) return std::nullopt;
    m_model.sigma = static_cast<float>(p->sigma);
    m_model.phcalc = static_cast<float>(p->ph);
    m_lastMixPoint = *p;
    return p;
}

std::vector<TableRow> BenchState::tabulateMixture(const BenchEntries& entries, int stepTenths) const
{
    if (!m_mixture) return {};
    return titrage::tabulateMixture(mixtureWith(*m_mixture, entries.sigmaInputs()), m_model,
                                    stepTenths);
}

void BenchState::readRows(const BenchEntries& entries, std::vector<TableRow>& rows) const
{
    if (!m_scatter) return;
    if (!m_mixture) {
        scatterRows(m_model, entries.sigmaInputs(), rows, *m_scatter);
        return;
    }
    const MixtureEngine engine(mixtureWith(*m_mixture, entries.sigmaInputs()), m_model);
    for (TableRow& row : rows) {
        double read = row.sigma;
        if (realisticMixtureSigma(engine, row.v, *m_scatter, read) == MixStatus::Ok)
            row.sigma = static_cast<float>(read);
    }
}

std::vector<TableRow> BenchState::measuredTable(const BenchEntries& entries, int stepTenths)
{
    std::vector<TableRow> rows =
        m_mixture ? tabulateMixture(entries, stepTenths) : tabulate(m_model, entries, stepTenths);
    // A titration the student measured reads as her points did; one drawn at
    // once ("Trace rapide") is the model's curve, its table too.
    if (!m_scatter || current() < 0 || pouredPoints(current()).empty() || rows.empty()) return rows;
    readRows(entries, rows);
    m_model.sigma = rows.back().sigma; // the conductimeter reads the last row
    return rows;
}

} // namespace titrage
