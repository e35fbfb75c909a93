// The distribution diagram of the acid and base forms over the titration.
#include "graph/graphview.h"

#include <cmath>

namespace titrage {

namespace {

const QColor kAcidForm(0, 0, 200);
const QColor kBaseForm(255, 0, 0);
const QColor kDarkGrid(128, 128, 128); // palette colour 8
const QColor kWash(100, 100, 100);

} // namespace

void GraphView::drawDistributionFrame()
{
    Canvas& c = canvas();
    c.dropBackground();
    c.setBackColor(Qt::white);
    c.cls();
    c.setFont(QStringLiteral("Arial"), 8, false, false);
    QStringList percents;
    for (int i = 0; i <= 10; ++i)
        percents << QString::number(10 * i);
    drawGrid(percents, kDarkGrid, kDarkGrid);
    c.setForeColor(Qt::black);
    c.printAt(20, 2, QStringLiteral("%"));
    c.setItalic(true);
    c.printAt(kGraphArrowRight, kGraphBottom + 2, QStringLiteral("V  "));
    c.setItalic(false);
    c.print(QStringLiteral("(mL)"));
    update();
}

void GraphView::washOut()
{
    // ORing a mid grey into the picture lightens every colour towards white.
    Canvas& c = canvas();
    c.setMergePen(true);
    const QPointF o = c.origin();
    c.filledBox(o.x(), o.y(), o.x() + c.size().width() - 1, o.y() + c.size().height() - 1, kWash);
    c.setMergePen(false);
    update();
}

void GraphView::drawDistribution(const std::vector<DistributionVertex>& vertices)
{
    Canvas& c = canvas();
    bool first = true;
    QPointF acid;
    QPointF base;
    for (const DistributionVertex& p : vertices) {
        if (!std::isfinite(p.x) || !std::isfinite(p.yAcid) || !std::isfinite(p.yBase)) continue;
        const QPointF a(p.x, p.yAcid);
        const QPointF b(p.x, p.yBase);
        if (first) {
            c.pset(a.x(), a.y(), kAcidForm);
            c.pset(b.x(), b.y(), kBaseForm);
        } else {
            c.line(acid.x(), acid.y(), a.x(), a.y(), kAcidForm);
            c.line(base.x(), base.y(), b.x(), b.y(), kBaseForm);
        }
        acid = a;
        base = b;
        first = false;
    }
    c.setForeColor(kAcidForm);
    c.printAt(100, 5, tr("forme acide"));
    c.setForeColor(kBaseForm);
    c.printAt(200, 5, tr("forme basique"));
    c.setForeColor(Qt::black);
    update();
}

} // namespace titrage
