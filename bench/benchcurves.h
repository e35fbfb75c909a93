#pragma once
// What the titration draws on its pages: the graph's scale and frame, the
// measured crosses and the table's rows, the complete curve, the finished
// curves of the situations with their legend, and the history.

#include "bench/core/measuredpoints.h"

#include <QColor>
#include <QObject>

#include <optional>
#include <vector>

class QString;

namespace titrage {

class BenchPages;
class BenchState;
class EntryBoxes;
class SituationsBar;
struct BenchEntries;

// What the pages' routines ask of the bench.
class CurvesHost {
public:
    virtual ~CurvesHost() = default;
    virtual BenchEntries entries() const = 0;
    // Shows a poured volume in the box and under the burette.
    virtual void setPoured(const QString& text) = 0;
    virtual void lockEntries(bool locked) = 0;
    virtual void majaff() = 0;
    virtual void niveaubecher() = 0;
};

// The routines keep the names and the order of effects the bench knows
// (see feuilleP, which forwards them).
class BenchCurves : public QObject {
    Q_OBJECT

public:
    BenchCurves(CurvesHost& host, BenchState& state, BenchPages& pages, const EntryBoxes& entries,
                const SituationsBar& situations, QObject* parent);

    void valimax();
    void reinitialise();
    void placepoint();
    void recatab();
    void tracecourbe();
    void redessine();
    void tabule();
    // The kept crosses over the model curve.
    void drawKeptPoints();
    // Shows again the crosses and rows the student had measured in the
    // current situation, so that pouring goes on from where it was.
    void restoreMeasuredPoints(std::vector<MeasuredPoint> points);
    // A class's measurements imported into the situation: their crosses and
    // the legend that names them.
    void drawImportedPoints();
    // The colour of imported measurements, none of the situations'.
    static QColor importedColour();

private:
    // A measurement's pH as the graph shows it: only with the pH-meter in.
    std::optional<double> pointPh(double ph) const;
    // The legend of superposed curves.
    void drawCurveLegend();
    // The table emptied to its header, then the imported measurements' rows.
    void startTable();

    CurvesHost& m_host;
    BenchState& m_state;
    BenchPages& m_pages;
    const EntryBoxes& m_entries;
    const SituationsBar& m_situations;
};

} // namespace titrage
