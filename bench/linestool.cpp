// The method of the two lines on the graph: the fit, the range markers the
// student drags, and the read-out of V and sigma under the pointer.
#include "bench/linestool.h"
#include "model/graphframe.h"

#include "bench/parametrespage.h"
#include "graph/core/constructions.h"
#include "graph/core/curvereadout.h"
#include "graph/core/readout.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "model/measurement.h"
#include "platform/core/numberformat.h"
#include "platform/coretext.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

constexpr double kGripDistance = 4; // logical units either side of a marker
constexpr int kMinMeasuredPoints = 2 * kMinPointsPerLine;

QString fromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

LinesTool::LinesTool(GraphToolHost& host)
    : GraphTool(host, "droites", tr("Méthode des\ndroites"), tr("Méthode des droites")),
      m_graph(&host.graph())
{
    m_graph->installEventFilter(this);
}

LinesTool::~LinesTool()
{
    stopListening();
}

void LinesTool::stopListening()
{
    if (m_graph) m_graph->removeEventFilter(this);
    m_graph = nullptr;
}

void LinesTool::run()
{
    if (host().state().current() < 0) return;
    start();
    fitAndDraw(true);
}

TwoLineOptions LinesTool::options() const
{
    const BenchEntries e = host().entries();
    TwoLineOptions o;
    o.correctDilution = host().parametres().corrdilution->isChecked();
    o.v0 = e.vsol.value_or(0.0f) + e.veau.value_or(0.0f);
    o.ranges = m_manual;
    return o;
}

std::vector<FitPoint> LinesTool::measuredPoints() const
{
    const BenchState& state = host().state();
    std::vector<FitPoint> points;
    for (const MeasuredPoint& p : state.measuredPoints(state.current()))
        points.push_back({p.volume, p.sigma});
    return points;
}

std::vector<FitPoint> LinesTool::tablePoints() const
{
    // The theoretical titration at the measuring step, on a copy of the model.
    Model model = host().state().model();
    std::vector<FitPoint> points;
    for (const TableRow& r :
         tabulate(model, host().entries(), host().parametres().UpDown1->value()))
        points.push_back({r.v, r.sigma});
    return points;
}

void LinesTool::start()
{
    m_manual.reset();
    m_shown = false;
}

void LinesTool::forget()
{
    m_shown = false;
    m_dragging = -1;
}

bool LinesTool::fitAndDraw(bool announce)
{
    const TwoLineOptions o = options();
    // The student's own points when there are enough of them on both sides,
    // else the model's curve at the measuring step.
    const std::vector<FitPoint> measured = measuredPoints();
    m_measured = false;
    TwoLines t;
    if (static_cast<int>(measured.size()) >= kMinMeasuredPoints) {
        t = fitTwoLines(measured, o);
        m_measured = t.failure != BreakFailure::TooFewPoints;
    }
    if (!m_measured) t = fitTwoLines(tablePoints(), o);
    m_fit = t;
    redraw();
    if (!t.found()) {
        m_shown = false;
        if (announce)
            Messages::inform(&host().benchWidget(), coreText("LineFit", kNoBreakTitle),
                             coreText("LineFit", kNoBreakMessage), MessageIcon::Exclamation);
        return false;
    }
    m_shown = true;
    host().showStatus(fromStd(veqText(t.veq, t.uVeq)) +
                      (m_measured ? tr(" (points mesurés)") : tr(" (courbe théorique)")));
    return true;
}

void LinesTool::redraw()
{
    // The graph as "Restaurer" leaves it, then the construction.
    host().restoreGraph();
    GraphView& g = host().graph();
    Canvas& c = g.canvas();
    if (m_fit.found()) {
        drawTwoLines(c, m_fit, options(), host().state().maxaxe(), g.penWidth());
        drawRangeMarkers(c, m_fit.ranges);
    }
    g.update();
}

FitRanges LinesTool::movedRanges(int i, double v) const
{
    FitRanges r = m_fit.ranges;
    double* limits[4] = {&r.before.from, &r.before.to, &r.after.from, &r.after.to};
    const double lo = i > 0 ? *limits[i - 1] : 0.0;
    const double hi = i < 3 ? *limits[i + 1] : kBuretteCapacity;
    *limits[i] = std::clamp(v, lo, hi);
    return r;
}

bool LinesTool::moveMarker(int i, double v)
{
    if (!m_shown || i < 0 || i > 3) return false;
    const std::optional<FitRanges> kept = m_manual;
    m_manual = movedRanges(i, v);
    if (fitAndDraw(true)) return true;
    // Back to the ranges that gave a break.
    m_manual = kept;
    fitAndDraw(false);
    return false;
}

const std::vector<CurveVertex>* LinesTool::currentCurve() const
{
    const BenchState& state = host().state();
    if (state.current() < 0 || !host().curveShown()) return nullptr;
    const BenchEntries e = host().entries();
    QString key = QString::number(state.maxaxe()) + QLatin1Char('|') + QString::number(e.position) +
                  (e.acide ? QLatin1Char('a') : QLatin1Char('b'));
    const EntryTexts texts = host().entryTexts();
    for (EntryBox box : {BoxConcentration, BoxBurette, BoxPka, BoxVsol, BoxWater})
        key += QLatin1Char('|') + QString::fromStdString(texts[box]);
    if (key != m_curveKey) {
        Model model = state.model();
        loadModel(model, e);
        walkCurve(model, e.sigmaInputs(), state.maxaxe(), m_curve);
        m_curveKey = key;
    }
    return &m_curve;
}

QString LinesTool::readout(QPointF p) const
{
    const bool titration = host().state().graphetitrage();
    const GraphReadout r = graphReadout(p.x(), p.y(), titration);
    if (!r.inside || !titration) return fromStd(r.tooltip);
    if (const auto* curve = currentCurve())
        if (const auto sigma = curveSigmaAt(*curve, volumeAtX(p.x())))
            return fromStd(sigmaReadout(r.tooltip, *sigma));
    return fromStd(r.tooltip);
}

bool LinesTool::eventFilter(QObject* watched, QEvent* event)
{
    GraphView* g = m_graph;
    if (!g || watched != g) return false;
    const auto type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const QPointF p = g->toLogical(mouse->position());
    const double v = std::clamp(volumeAtX(p.x()), 0.0, double(kBuretteCapacity));
    auto nearMarker = [&]() {
        if (!m_shown) return -1;
        const auto xs = markerXs(m_fit.ranges);
        int best = -1;
        double bestD = kGripDistance;
        for (int i = 0; i < 4; ++i)
            if (const double d = std::fabs(xs[i] - p.x()); d <= bestD) {
                best = i;
                bestD = d;
            }
        return best;
    };

    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton) return false;
        m_dragging = nearMarker();
        return m_dragging >= 0;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (m_dragging < 0) return false;
        const int i = m_dragging;
        m_dragging = -1;
        moveMarker(i, v);
        return true;
    }
    // Mouse move: while a marker is held the status line follows it; the
    // fit is made again where it is released.
    if (m_dragging >= 0) {
        host().showStatus(tr("Limite à ") + fromStd(formatNumber(v, "#0.0")) +
                          tr(" mL : relâcher pour refaire l'ajustement"));
        return true;
    }
    host().showStatus(coreText("GraphReadout", kGraphReadoutInfo));
    const GraphReadout r = graphReadout(p.x(), p.y(), host().state().graphetitrage());
    g->setCursor(nearMarker() >= 0 ? Qt::SizeHorCursor
                                   : (r.inside ? Qt::CrossCursor : Qt::ArrowCursor));
    const QString tip = readout(p);
    g->setToolTip(tip);
    if (tip.isEmpty())
        QToolTip::hideText();
    else if (QToolTip::isVisible())
        QToolTip::showText(g->mapToGlobal(pos), tip, g);
    return true;
}

} // namespace titrage
