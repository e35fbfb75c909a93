#pragma once
// The bench's tool for the method of the two lines: the fit in force, the four
// range markers the student drags on the graph, and the read-out of V and
// sigma under the pointer.

#include "bench/graphtool.h"
#include "model/curve.h"
#include "model/linebreaks.h"
#include "model/linefit.h"
#include "model/montecarlo.h"

#include <QImage>
#include <QKeyEvent>
#include <QString>

class QPushButton;

#include <optional>
#include <vector>

namespace titrage {

class LinesTool : public GraphTool {
    Q_OBJECT

public:
    // Listens to the graph's mouse until `stopListening` or its destruction.
    explicit LinesTool(GraphToolHost& host);
    ~LinesTool() override;
    // "Méthode des droites": a fresh start with automatic ranges.
    void run() override;
    // The lines are fitted on sigma: in the pH view, which shows neither the
    // sigma points nor their axis, they would stand for nothing the student
    // sees; "σ et pH" shows them on the sigma axis.
    bool applies() const override;
    void graphRedrawn() override { forget(); }
    // The graph's events no longer reach the tool (the bench is going).
    void stopListening();

    // Fits with the ranges in force (automatic unless the student moved them)
    // and draws over the graph redrawn as "Restaurer" redraws it. On failure
    // nothing is drawn; `announce` shows the message.
    bool fitAndDraw(bool announce);
    // A fresh start on the graph as it stands: automatic ranges.
    void start();
    // The graph was redrawn: the lines are gone.
    void forget();

    bool shown() const { return m_shown; }
    // The first (or only) break of the fit in force, and all of them.
    const TwoLines& fit() const { return m_fit; }
    const BrokenLines& breaks() const { return m_breaks; }
    // Where the fit's points came from: the student's measurements or the model.
    bool onMeasuredPoints() const { return m_measured; }
    // Measured as a realistic series ("Mesures réalistes"): only then do the
    // points scatter, and the intersection carry an uncertainty. On the model's
    // points, or points measured exactly, it is a construction.
    bool onRealisticPoints() const { return m_measured && m_realistic; }
    // The uncertainty of the fit in force (fits and burette), of break i.
    VeqUncertainty uncertainty(size_t i = 0) const;
    // What the status line and the label beside each E say of the fit in force.
    QString resultText() const;
    std::vector<QString> labelLines(size_t i = 0) const;

    // "Incertitude par Monte-Carlo", the button shown over the graph with the
    // lines: `draws` draws of the fit's points within their uncertainties,
    // the histogram drawn over the graph, mean and standard deviation in the
    // status line. The seed is the realistic series' (1 without one).
    std::optional<MonteCarloResult> monteCarlo(int draws = 1000);
    const std::optional<MonteCarloResult>& monteCarloShown() const { return m_monteCarlo; }
    QPushButton* monteCarloButton() const { return m_monteCarloButton; }
    // Moves marker i (0..3: before.from, before.to, after.from, after.to;
    // with k breaks 0..2k + 1, each range's from and to in order) to volume
    // v and refits, as a drag released there does.
    bool moveMarker(int i, double v);
    int markerCount() const { return 2 * static_cast<int>(m_breaks.count() + 1); }

    // The marker the arrow keys move, and the scale the lines are
    // drawn on: the graph's, or the corrected sigma's own (correctedView).
    int selectedMarker() const { return m_selected; }
    bool correctedView() const { return m_corrected; }
    float drawnScale() const { return m_scale; }

    // The read-out for the pointer at a logical point of the graph.
    QString readout(QPointF logical) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<FitPoint> measuredPoints() const;
    std::vector<FitPoint> tablePoints() const;
    BrokenLineOptions options() const;
    void redraw();
    std::vector<FitRange> movedRanges(int i, double v) const;
    std::vector<FitRange> shownRanges() const;
    bool keyPressed(const QKeyEvent& key);
    void setShown(bool shown);
    void placeButton();
    const std::vector<CurveVertex>* currentCurve() const;

    GraphView* m_graph = nullptr;
    TwoLines m_fit;
    BrokenLines m_breaks;
    std::vector<FitRange> m_manual; // the student's ranges; empty: automatic
    bool m_shown = false;
    bool m_measured = false;
    bool m_realistic = false;
    std::uint64_t m_seed = 1;
    std::optional<MonteCarloResult> m_monteCarlo;
    std::vector<MonteCarloResult> m_monteCarloBreaks; // with several breaks, one per break
    QPushButton* m_monteCarloButton = nullptr;
    int m_dragging = -1;
    int m_selected = 0;
    // While a marker is dragged: the ranges as they would be if released here.
    std::optional<std::vector<FitRange>> m_preview;
    std::vector<FitPoint> m_points; // what the fit in force was made on
    bool m_corrected = false;
    bool m_redrawing = false;
    float m_scale = 0;
    Qt::FocusPolicy m_graphFocus = Qt::NoFocus;
    mutable QString m_curveKey;
    mutable std::vector<CurveVertex> m_curve;
};

} // namespace titrage
