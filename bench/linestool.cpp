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
#include "platform/canvas.h"
#include "platform/core/numberformat.h"
#include "platform/coretext.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
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
    m_monteCarloButton = new QPushButton(tr("Incertitude par Monte-Carlo"), m_graph);
    m_monteCarloButton->setObjectName(QStringLiteral("montecarlo"));
    m_monteCarloButton->setToolTip(
        tr("1000 tirages des points dans leurs incertitudes : l'histogramme de Véq, sa moyenne "
           "et son écart-type"));
    m_monteCarloButton->setFont(QFont(QStringLiteral("Arial"), 7));
    m_monteCarloButton->setFocusPolicy(Qt::TabFocus);
    m_monteCarloButton->hide();
    connect(m_monteCarloButton, &QPushButton::clicked, this, [this] { monteCarlo(); });
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

bool LinesTool::applies() const
{
    return showsSigma(host().state().graphMode());
}

BrokenLineOptions LinesTool::options() const
{
    const BenchEntries e = host().entries();
    BrokenLineOptions o;
    o.correctDilution = host().parametres().corrdilution->isChecked();
    o.v0 = e.vsol.value_or(0.0f) + e.veau.value_or(0.0f);
    o.ranges = m_manual;
    // A single acid or base has one equivalence: its curve is the two
    // lines' business (a class's own measurements may break more often).
    if (!host().state().mixture()) o.maxBreaks = 1;
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
    const int step = host().parametres().UpDown1->value();
    for (const TableRow& r : host().state().mixture()
                                 ? host().state().tabulateMixture(host().entries(), step)
                                 : tabulate(model, host().entries(), step))
        points.push_back({r.v, r.sigma});
    return points;
}

void LinesTool::start()
{
    m_manual.clear();
    setShown(false);
}

void LinesTool::forget()
{
    // Our own redrawing restores the graph first: the lines are drawn again.
    if (m_redrawing) return;
    setShown(false);
    m_dragging = -1;
    m_preview.reset();
}

void LinesTool::setShown(bool shown)
{
    // While the lines are shown the graph takes the focus (by Tab or a
    // click), so that the arrow keys move the markers; then it gives it up.
    if (m_graph && shown != m_shown) {
        if (shown) {
            m_graphFocus = m_graph->focusPolicy();
            m_graph->setFocusPolicy(Qt::StrongFocus);
        } else {
            m_graph->setFocusPolicy(m_graphFocus);
        }
    }
    m_shown = shown;
    if (m_monteCarloButton) {
        placeButton();
        m_monteCarloButton->setVisible(shown && m_graph);
    }
}

void LinesTool::placeButton()
{
    // Above the frame, its right edge on the frame's: right of the sigma
    // axis's title, left of the tools' panel that covers the graph's side.
    if (!m_graph || !m_monteCarloButton) return;
    const QSize hint = m_monteCarloButton->sizeHint();
    const Canvas& c = m_graph->canvas();
    const double sx = c.size().width() > 0 ? m_graph->width() / double(c.size().width()) : 1.0;
    const int right = static_cast<int>(std::lround((kGraphRight - c.origin().x()) * sx));
    m_monteCarloButton->setGeometry(std::max(0, right - hint.width()), 2, hint.width(),
                                    hint.height());
}

VeqUncertainty LinesTool::uncertainty(size_t i) const
{
    const TwoLines& t = i < m_breaks.count() ? m_breaks.breaks[i] : m_fit;
    return veqUncertainty(t, buretteUncertainty(ScatterModel{}, t.veq));
}

QString LinesTool::resultText() const
{
    if (m_breaks.count() > 1) {
        // "E₁ : Véq = 10,01 mL ; E₂ : Véq = 19,95 mL", then what they are.
        QStringList parts;
        for (size_t i = 0; i < m_breaks.count(); ++i) {
            const TwoLines& t = m_breaks.breaks[i];
            parts << fromStd(breakName(i, m_breaks.count()) + " : " +
                             (onRealisticPoints()
                                  ? veqMeasuredText(t.veq, uncertainty(i))
                                  : "Véq = " + formatNumber(t.veq, "#0.00") + " mL"));
        }
        const QString all = parts.join(QStringLiteral(" ; "));
        if (onRealisticPoints()) return all + tr(" (points mesurés, graine %1)").arg(m_seed);
        if (m_measured)
            return all + tr(" par les droites (points mesurés sans dispersion : cochez « Mesures "
                            "réalistes »)");
        return all + tr(" par les droites, courbe théorique");
    }
    if (onRealisticPoints())
        return fromStd(veqMeasuredText(m_fit.veq, uncertainty())) +
               tr(" (points mesurés, graine %1)").arg(m_seed);
    if (m_measured)
        return fromStd(veqConstructionText(m_fit.veq)) +
               tr(" (points mesurés sans dispersion : cochez « Mesures réalistes »)");
    return fromStd(veqConstructionText(m_fit.veq));
}

std::vector<QString> LinesTool::labelLines(size_t i) const
{
    const TwoLines& t = i < m_breaks.count() ? m_breaks.breaks[i] : m_fit;
    if (onRealisticPoints()) {
        const VeqUncertainty u = uncertainty(i);
        return {fromStd(veqValueText(t.veq, u)), fromStd(veqUncertaintyText(u))};
    }
    return {fromStd("Véq = " + formatNumber(t.veq, "#0.00") + " mL"),
            tr("construction sur la courbe théorique")};
}

std::optional<MonteCarloResult> LinesTool::monteCarlo(int draws)
{
    if (!m_shown || !m_fit.found()) return std::nullopt;
    const BrokenLineOptions o = options();
    MonteCarloOptions mc;
    mc.draws = draws;
    mc.seed = m_seed;
    mc.correctDilution = o.correctDilution;
    mc.v0 = o.v0;
    // With several breaks, each one's draws on its own two ranges.
    m_monteCarloBreaks.clear();
    QStringList texts;
    for (size_t i = 0; i < m_breaks.count(); ++i) {
        const MonteCarloResult r = monteCarloVeq(m_points, m_breaks.breaks[i].ranges, mc);
        if (r.found() == 0) {
            m_monteCarloBreaks.clear();
            return std::nullopt;
        }
        m_monteCarloBreaks.push_back(r);
        texts << (m_breaks.count() > 1 ? fromStd(breakName(i, m_breaks.count()) + " : ")
                                       : QString()) +
                     fromStd(monteCarloText(r));
    }
    if (m_monteCarloBreaks.empty()) return std::nullopt;
    const MonteCarloResult r = m_monteCarloBreaks.front();
    if (m_breaks.count() == 1) m_monteCarloBreaks.clear();
    m_monteCarlo = r;
    redraw();
    host().showStatus(texts.join(QStringLiteral(" ; ")) +
                      (onRealisticPoints() ? tr(" (graine %1)").arg(m_seed)
                                           : tr(" (tirages autour de la courbe théorique)")));
    return r;
}

bool LinesTool::fitAndDraw(bool announce)
{
    const BrokenLineOptions o = options();
    // The student's own points when there are enough of them on both sides,
    // else the model's curve at the measuring step.
    const std::vector<FitPoint> measured = measuredPoints();
    m_measured = false;
    m_realistic = host().state().scatter().has_value();
    m_seed = m_realistic ? host().state().scatter()->seed() : 1;
    m_monteCarlo.reset();
    m_monteCarloBreaks.clear();
    BrokenLines t;
    if (static_cast<int>(measured.size()) >= kMinMeasuredPoints) {
        // Readings that scatter: realistic ones, or a class's own.
        BrokenLineOptions read = o;
        const bool imported = !host().state().importedPoints(host().state().current()).empty();
        read.measured = m_realistic || imported;
        if (imported) read.maxBreaks = kMaxBreaks;
        t = fitBrokenLines(measured, read);
        m_measured = t.failure != BreakFailure::TooFewPoints;
    }
    m_points = m_measured ? measured : tablePoints();
    if (!m_measured) t = fitBrokenLines(m_points, o);
    m_breaks = t;
    m_fit = t.breaks.empty() ? TwoLines{} : t.breaks.front();
    if (!t.breaks.empty() && t.count() > 1) m_fit.failure = t.failure;
    m_selected = std::min(m_selected, markerCount() - 1);
    m_preview.reset();
    redraw();
    if (!t.found()) {
        setShown(false);
        if (announce)
            Messages::inform(&host().benchWidget(), coreText("LineFit", kNoBreakTitle),
                             coreText("LineFit", breakFailureMessage(t.failure)),
                             MessageIcon::Exclamation);
        return false;
    }
    setShown(true);
    host().showStatus(resultText());
    return true;
}

void LinesTool::redraw()
{
    // The graph as "Restaurer" leaves it, then the construction. Lines
    // fitted on the corrected sigma are drawn on a frame of their own, over
    // the corrected points, where they are straight as fitted: the measured
    // sigma's curve bends away from them by the dilution.
    m_redrawing = true;
    host().restoreGraph();
    m_redrawing = false;
    GraphView& g = host().graph();
    Canvas& c = g.canvas();
    const BrokenLineOptions o = options();
    m_corrected = false;
    m_scale = host().state().maxaxe();
    if (m_fit.found()) {
        if (o.correctDilution && o.v0 > 0) {
            if (const float top = correctedScale(m_points, o.v0); top > 0) {
                m_corrected = true;
                m_scale = top;
                // A frame of the corrected sigma alone, in "σ et pH" too: the
                // pH curve is not drawn on it, and its axis and key would
                // stand for nothing (the key would also run under the
                // frame's title).
                const GraphMode mode = g.mode();
                g.setMode(GraphMode::Sigma);
                g.drawFrame(top);
                g.setMode(mode);
                g.setPenWidth(c.penWidth());
                drawCorrectedPoints(c, m_points, o.v0, top, host().currentColour());
            }
        }
        drawRangeMarkers(c, m_preview.value_or(shownRanges()), m_selected);
        std::vector<std::vector<QString>> labels;
        for (size_t i = 0; i < m_breaks.count(); ++i)
            labels.push_back(labelLines(i));
        drawBrokenLines(c, m_breaks, m_scale, g.penWidth(), labels);
        if (m_monteCarloBreaks.empty() && m_monteCarlo) drawVeqHistogram(c, *m_monteCarlo);
        for (const MonteCarloResult& r : m_monteCarloBreaks)
            drawVeqHistogram(c, r);
    }
    g.update();
}

std::vector<FitRange> LinesTool::shownRanges() const
{
    if (m_breaks.count() > 1) return m_breaks.ranges();
    return {m_fit.ranges.before, m_fit.ranges.after};
}

std::vector<FitRange> LinesTool::movedRanges(int i, double v) const
{
    std::vector<FitRange> r = shownRanges();
    std::vector<double*> limits;
    for (FitRange& f : r) {
        limits.push_back(&f.from);
        limits.push_back(&f.to);
    }
    const int last = static_cast<int>(limits.size()) - 1;
    const double lo = i > 0 ? *limits[i - 1] : 0.0;
    const double hi = i < last ? *limits[i + 1] : kBuretteCapacity;
    *limits[i] = std::clamp(v, lo, hi);
    return r;
}

bool LinesTool::moveMarker(int i, double v)
{
    if (!m_shown || i < 0 || i >= markerCount()) return false;
    const std::vector<FitRange> kept = m_manual;
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
    if (state.mixture()) {
        // A mixture's curve comes from the engine; the key above does not
        // tell two mixtures apart, so it is walked again.
        walkMixtureCurve(mixtureWith(*state.mixture(), e.sigmaInputs()), state.model(),
                         state.maxaxe(), m_curve);
        m_curveKey.clear();
        return &m_curve;
    }
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
    const GraphMode mode = host().state().graphMode();
    if (const auto* curve = currentCurve()) {
        // The value of each curve the view shows, sigma first.
        const double v = volumeAtX(p.x());
        QString text = fromStd(r.tooltip);
        if (showsSigma(mode))
            if (const auto sigma = curveSigmaAt(*curve, v)) {
                if (!(m_shown && m_corrected)) {
                    text = fromStd(sigmaReadout(r.tooltip, *sigma));
                } else {
                    // Over the corrected frame, the curve's sigma corrected as the points are.
                    text = fromStd(
                        sigmaReadout(r.tooltip, dilutionCorrected(*sigma, v, options().v0)));
                    text.replace(QStringLiteral("σ ="), tr("σ corrigée ="));
                }
            }
        if (showsPh(mode))
            if (const auto ph = curvePhAt(*curve, v))
                text = fromStd(phReadout(text.toStdString(), *ph));
        return text;
    }
    return fromStd(r.tooltip);
}

bool LinesTool::keyPressed(const QKeyEvent& key)
{
    if (!m_shown || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // The next or the previous marker.
        const int n = markerCount();
        m_selected = (m_selected + (key.key() == Qt::Key_Down ? 1 : n - 1)) % n;
        redraw();
        host().showStatus(tr("Limite %1 sur %2 : ← et → la déplacent").arg(m_selected + 1).arg(n));
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right: {
        // One measuring step, so that a range gains or loses one point; a
        // tenth of a millilitre with Shift.
        const double step =
            key.modifiers() & Qt::ShiftModifier ? 0.1 : host().parametres().UpDown1->value() / 10.0;
        const std::vector<FitRange> ranges = shownRanges();
        const FitRange& range = ranges[static_cast<size_t>(m_selected / 2)];
        const double limit = m_selected % 2 ? range.to : range.from;
        const double v = limit + (key.key() == Qt::Key_Right ? step : -step);
        moveMarker(m_selected, std::round(v * 10) / 10);
        return true;
    }
    default:
        return false;
    }
}

bool LinesTool::eventFilter(QObject* watched, QEvent* event)
{
    GraphView* g = m_graph;
    if (!g || watched != g) return false;
    const auto type = event->type();
    if (type == QEvent::KeyPress) return keyPressed(*static_cast<QKeyEvent*>(event));
    if (type == QEvent::Resize) {
        placeButton();
        return false;
    }
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const QPointF p = g->toLogical(mouse->position());
    const double v = std::clamp(volumeAtX(p.x()), 0.0, double(kBuretteCapacity));
    auto nearMarker = [&]() {
        if (!m_shown) return -1;
        const auto xs = markerXs(shownRanges());
        int best = -1;
        double bestD = kGripDistance;
        for (int i = 0; i < static_cast<int>(xs.size()); ++i)
            if (const double d = std::fabs(xs[i] - p.x()); d <= bestD) {
                best = i;
                bestD = d;
            }
        return best;
    };

    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton) return false;
        m_dragging = nearMarker();
        if (m_dragging < 0) return false;
        m_selected = m_dragging;
        g->setFocus(Qt::MouseFocusReason);
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (m_dragging < 0) return false;
        const int i = m_dragging;
        m_dragging = -1;
        moveMarker(i, v);
        return true;
    }
    // Mouse move: while a marker is held it follows the pointer, with the
    // status line; the fit is made again where it is released.
    if (m_dragging >= 0) {
        m_preview = movedRanges(m_dragging, v);
        redraw();
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
