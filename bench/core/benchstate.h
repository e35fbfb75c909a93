#pragma once
// The bench's state, apart from the window that shows it: the ten situations,
// the points the student measured in each, the graph's scale, the finished
// curves' vertices, and the rules that keep or forget them. The window reads
// its controls, hands their values here and draws what this returns.

#include "bench/core/measuredpoints.h"
#include "graph/core/graphscale.h"
#include "model/curve.h"
#include "model/entryvalidation.h"
#include "model/measurement.h"
#include "model/measurementimport.h"
#include "model/mixturebench.h"
#include "model/model.h"
#include "model/scatter.h"
#include "model/situations.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace titrage {

// What the window's controls hold when the bench is stored into a slot.
struct BenchControls {
    bool acide = true;
    bool burette = true;
    bool conductimetre = true;
    bool masked = false;
    int solute = 0;
    int indicator = 0;
    EntryTexts texts{};
};

// "pH = 3,02": what the pH-meter's display shows, two decimals; a pH that
// is not a number shows dashes, as a meter out of its range does.
std::string phMeterText(double ph);

// The random concentration of "Concentration aléatoire" for a draw r in
// [0, 1): between 1e-3 and 1e-2 mol/L, to three significant digits.
double randomConcentration(double r);

class BenchState {
public:
    Model& model() { return m_model; }
    const Model& model() const { return m_model; }
    SituationStore& store() { return m_store; }
    const SituationStore& store() const { return m_store; }
    // The current slot, -1 before the first selection.
    int current() const { return m_store.numsit; }

    // Every slot back to the default situation, none current.
    void resetSituations();
    void setCurrent(int k);

    // --- The water the titration runs in ---
    // "Solutions réelles" and "Température" (model/realsolution.h): the
    // pouring, the curves, the table and the scale all read them through the
    // model. They belong to the bench, not to a situation, and no file of
    // situations holds them. The mixture engine keeps its ideal 25 °C.
    void setConditions(const SolutionConditions& c) { m_model.conditions = c; }
    const SolutionConditions& conditions() const { return m_model.conditions; }

    // --- The graph's scale ---
    float sigmamax() const { return m_sigmamax; }
    float maxaxe() const { return m_maxaxe; }
    // Measures the bench at 0 and 25 mL (and every finished curve when they
    // are superposed) without touching the model's poured volume.
    void valimax(const BenchEntries& entries, bool superpose);
    // Whether the graph shows the titration (not the distribution diagram).
    bool graphetitrage() const { return m_graphetitrage; }
    void setGraphetitrage(bool on) { m_graphetitrage = on; }

    // --- The points measured by pouring ---
    // The points the graph's tools analyse: a class's imported measurements
    // when the situation holds some, else those the student poured.
    const std::vector<MeasuredPoint>& measuredPoints(int k) const;
    const std::vector<MeasuredPoint>& pouredPoints(int k) const;
    // While a situation is left or re-entered, its measured points are kept:
    // a restart then does not forget them, nor does a replotted point add one.
    bool keepPoints() const { return m_keepPoints; }
    void setKeepPoints(bool keep) { m_keepPoints = keep; }
    // A restart of the current titration: its points go unless they are kept.
    void restartPoints();
    // The row a point poured to `typed` mL adds, when sigma is a number.
    std::optional<TableRow> measurePoint(const SigmaInputs& inputs, double typed);
    // "Mesures réalistes": the series each measured point is read in, or none.
    void setScatter(std::optional<ScatterSeries> series) { m_scatter = series; }
    const std::optional<ScatterSeries>& scatter() const { return m_scatter; }
    // Records the point just plotted at the model's poured volume; a point at
    // 0 mL starts the list again.
    void recordPoint(const TableRow& row);
    // Puts back points kept while the situation was left.
    void restorePoints(int k, std::vector<MeasuredPoint> points);

    // --- A class's measurements imported into a situation ---
    // They stay beside the student's poured points, through restarts and
    // switches, until another import into the slot or a file of situations.
    const std::vector<MeasuredPoint>& importedPoints(int k) const;
    void importPoints(int k, const std::vector<ImportedMeasurement>& points);

    // --- The rules of the situations ---
    // Stores the bench into slot k. A titration poured to 25 mL with the
    // conductimeter shown is a finished curve.
    void storeSituation(int k, const BenchControls& controls, float poured);
    // Replaces the ten situations by those of a file: no measured point and no
    // hidden random draw survives, and each finished curve's largest
    // conductivity is measured again (files do not hold it).
    void replaceSituations(const std::array<Situation, kSituations>& situations);
    // A change of box `box` that shapes the curve forgets the current slot's
    // finished curve. Returns whether one was forgotten.
    bool forgetChangedCurve(EntryBox box, bool otherSolute);
    // The current slot's curve is no longer finished.
    void unfinishCurrent();
    // Whether slot k's concentration was drawn at random and is still hidden.
    bool randomDrawn(int k) const;
    void setRandomDrawn(bool drawn);

    // --- Curves ---
    // The vertices of the last curve walked.
    const std::vector<CurveVertex>& vertices() const { return m_vertices; }
    // The complete curve of the bench as it stands.
    const std::vector<CurveVertex>& walkCurrent(const BenchEntries& entries);
    // The finished curve of slot n, with the model loaded from it (the caller
    // loads the bench's entries again when done).
    const std::vector<CurveVertex>& walkFinished(int n);

    // --- The measurement shown ---
    // pH of the last measurement, which colours the liquid.
    double measuredPh() const { return m_measuredPh; }
    void setMeasuredPh(double ph) { m_measuredPh = ph; }
    int etapegoutte() const { return m_etapegoutte; }
    int nextDropStep() { return ++m_etapegoutte; }
    void resetDrop() { m_etapegoutte = 0; }

    // --- The pH-meter beside the conductimeter ---
    // Its probe in the beaker and its display on the bench; the table of
    // values then has a pH column. A bench-wide option, like the graph's
    // view below: neither is a situation's, and no file holds them.
    bool phMetre() const { return m_phMetre; }
    void setPhMetre(bool on) { m_phMetre = on; }
    // σ (the bench's own graph), pH, or both.
    GraphMode graphMode() const { return m_graphMode; }
    void setGraphMode(GraphMode mode) { m_graphMode = mode; }

    // --- A mixture or a precipitation in the beaker ---
    // The panel's choice while the nature is "Mélange ou précipitation",
    // nothing otherwise. Every sigma and pH of the bench then comes from the
    // exact engine, with the boxes' volumes and burette.
    const std::optional<Mixture>& mixture() const { return m_mixture; }
    void setMixture(std::optional<Mixture> mixture) { m_mixture = std::move(mixture); }
    // The bench's mixture at v mL: the model's sigma and phcalc take the
    // point's values; nothing changes when the engine refuses the point.
    std::optional<MixPoint> measureMixture(const SigmaInputs& inputs, double v);
    // The last point measured, which clouds the beaker.
    const MixPoint& lastMixPoint() const { return m_lastMixPoint; }
    std::vector<TableRow> tabulateMixture(const BenchEntries& entries, int stepTenths) const;
    // The table of a whole titration as the bench shows it, every `stepTenths`
    // tenths of a millilitre: the model's rows, or, once the student has
    // poured points of a realistic series, the conductimeter's readings at
    // the volumes read, as those points.
    std::vector<TableRow> measuredTable(const BenchEntries& entries, int stepTenths);

private:
    // The conductimeter's readings in place of the model's sigma, on a
    // realistic series.
    void readRows(const BenchEntries& entries, std::vector<TableRow>& rows) const;
    Model m_model;
    SituationStore m_store;
    float m_sigmamax = 0;
    float m_maxaxe = 0;
    bool m_graphetitrage = true;
    int m_etapegoutte = 0;
    double m_measuredPh = 7.0;
    std::array<std::vector<MeasuredPoint>, kSituations> m_points{};
    std::array<std::vector<MeasuredPoint>, kSituations> m_imported{};
    bool m_keepPoints = false;
    std::optional<ScatterSeries> m_scatter;
    std::array<bool, kSituations> m_randomDrawn{};
    std::vector<CurveVertex> m_vertices;
    std::optional<Mixture> m_mixture;
    MixPoint m_lastMixPoint;
    bool m_phMetre = false;
    GraphMode m_graphMode = GraphMode::Sigma;
};

} // namespace titrage
