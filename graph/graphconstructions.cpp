// The constructions over a finished curve: tangents and derivative.
#include "graph/graphview.h"

#include "platform/messages.h"

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

const QColor kDerivative(200, 100, 100);
const QColor kPhCurve(150, 150, 150);

} // namespace

void GraphView::drawSegment(const PlotSegment& s, QColor colour)
{
    canvas().line(std::clamp(s.a.x, -kCoordinateLimit, kCoordinateLimit),
                  std::clamp(s.a.y, -kCoordinateLimit, kCoordinateLimit),
                  std::clamp(s.b.x, -kCoordinateLimit, kCoordinateLimit),
                  std::clamp(s.b.y, -kCoordinateLimit, kCoordinateLimit), colour);
}

void GraphView::drawPlot(const std::vector<PlotPoint>& points, QColor colour)
{
    Canvas& c = canvas();
    bool first = true;
    for (const PlotPoint& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        const double x = std::clamp(p.x, -kCoordinateLimit, kCoordinateLimit);
        const double y = std::clamp(p.y, -kCoordinateLimit, kCoordinateLimit);
        if (first)
            c.pset(x, y, colour);
        else
            c.lineTo(x, y, colour);
        first = false;
    }
}

// The pH read on the right-hand side: an axis on the 25 mL line from pH 0 to
// pH 14 (16 units per pH unit), ticks every pH unit, labels every 2.
void GraphView::drawPhScale()
{
    Canvas& c = canvas();
    const ConstructionFrame f;
    const double x = f.x(kBuretteCapacity);
    c.setForeColor(Qt::black);
    c.line(x, f.y(0), x, f.y(kPhAxisTop), Qt::black);
    m_phGraduations.clear();
    for (int ph = 0; ph <= kPhAxisTop; ++ph) {
        const double y = f.y(ph);
        c.line(x, y, x + (ph % 2 == 0 ? 5 : 3), y, Qt::black);
        // pH 0 would sit on the volume labels.
        const QString label =
            ph > 0 ? QString::fromStdString(phGraduationLabel(ph)) : QString();
        m_phGraduations << label;
        if (!label.isEmpty()) c.printAt(x + 7, y - c.textHeight(label) / 2, label);
    }
    drawPhTitle(x + 12, 2);
}

TangentOutcome GraphView::drawTangents(Model& model, bool acide)
{
    const Model bench = model;
    const TangentConstruction t = tangente(model, acide);
    if (t.outcome == TangentOutcome::OutOfRange) return t.outcome;

    // The pH views already show the pH curve against its axis.
    if (m_mode == GraphMode::Sigma) {
        Model walk = bench;
        drawPhScale();
        drawPlot(phCurve(walk, acide), kPhCurve);
    }
    drawSegment(t.t1, Qt::black);
    drawSegment(t.t2, Qt::black);
    update();
    if (t.outcome == TangentOutcome::NoJump) {
        Messages::inform(this, tr("Erreur"),
                         tr("Cette courbe ne permet pas de déterminer les coordonnées "
                            "du point d'équivalence."),
                         MessageIcon::Critical);
        return t.outcome;
    }

    Canvas& c = canvas();
    drawSegment(t.parallel, Qt::black);
    c.setForeColor(Qt::black);
    c.printAt(t.label.x, t.label.y, QStringLiteral("E"));
    drawSegment(t.normal, Qt::black);
    const QString equal = QStringLiteral("=");
    for (const PlotPoint& m : t.equalMarks)
        c.printAt(m.x - c.textWidth(equal) / 2, m.y - c.textHeight(equal) / 2, equal);
    drawSegment(t.mark1, Qt::black);
    drawSegment(t.mark2, Qt::black);
    update();
    return t.outcome;
}

void GraphView::drawDerivative(const std::vector<PlotPoint>& points)
{
    drawPlot(points, kDerivative);
    update();
}

void GraphView::drawDerivative(Model& model)
{
    drawPlot(btderive(model), kDerivative);
    update();
}

} // namespace titrage
