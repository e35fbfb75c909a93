#include "graph/graphlines.h"

#include "model/curve.h"
#include "model/graphframe.h"
#include "platform/canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

constexpr double kTop = kGraphTop, kBottom = kGraphBottom, kLeftX = kGraphLeft,
                 kRightX = kGraphRight;
const QColor kLineColour(0, 0, 0);
const QColor kMarkerColour(90, 90, 90);

double clampY(double y)
{
    return std::clamp(y, kTop - 25, kBottom + 5);
}

} // namespace

void drawLegend(Canvas& c, const std::vector<LegendEntry>& entries, double right, double top)
{
    if (entries.empty()) return;
    c.setFont(QStringLiteral("Arial"), 7, false, false);
    double width = 0;
    for (const LegendEntry& e : entries)
        width = std::max(width, c.textWidth(e.text));
    const double line = c.textHeight() + 1;
    const double w = width + 34, h = line * entries.size() + 4;
    const double left = right - w;
    c.filledBox(left, top, right, top + h, Qt::white, QColor(150, 150, 150));
    for (size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& e = entries[i];
        const double y = top + 2 + line * i;
        const double mid = y + line / 2;
        if (e.area)
            c.filledBox(left + 4, mid - 3, left + 18, mid + 3, e.colour, QColor(100, 100, 100));
        else
            c.line(left + 4, mid, left + 18, mid, e.colour);
        c.setForeColor(Qt::black);
        c.printAt(left + 22, y, e.text);
    }
    c.setFont(QStringLiteral("Arial"), 8, false, false);
}

void drawTwoLines(Canvas& c, const TwoLines& t, const TwoLineOptions& o, float maxaxe, int penWidth)
{
    if (!t.found() || maxaxe <= 0) return;
    auto measured = [&](const LineFit& f, double v) {
        const double y = f.at(v);
        return o.correctDilution && o.v0 > 0 ? y * o.v0 / (o.v0 + v) : y;
    };
    std::vector<QPolygonF> lines;
    for (const LineFit* f : {&t.before, &t.after}) {
        QPolygonF poly;
        for (int i = 0; i <= 100; ++i) {
            const double v = 25.0 * i / 100;
            poly << QPointF(graphX(v), clampY(graphY(measured(*f, v), maxaxe)));
        }
        lines.push_back(poly);
    }
    c.paint([lines, penWidth](QPainter& p) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(QRectF(kLeftX, kTop, kRightX - kLeftX, kBottom - kTop));
        p.setPen(QPen(kLineColour, penWidth));
        for (const QPolygonF& poly : lines)
            p.drawPolyline(poly);
        p.restore();
    });

    const double xE = graphX(t.veq);
    const double yE = graphY(measured(t.before, t.veq), maxaxe);
    c.filledCircle(xE, yE, 2.5, Qt::black, Qt::black);
    c.line(xE, yE, xE, kBottom, QColor(120, 120, 120));
    c.setForeColor(Qt::black);
    c.setFont(QStringLiteral("Arial"), 8, true, false);
    c.printAt(xE - 12, yE - 14, QStringLiteral("E"));
    c.setFont(QStringLiteral("Arial"), 8, false, false);
    const QString text = QString::fromStdString(veqText(t.veq, t.uVeq));
    // Beside E, inside the frame: on the left of E when there is no room on its right.
    double x = xE + 6;
    if (x + c.textWidth(text) > kRightX - 2) x = xE - 6 - c.textWidth(text);
    const double y = std::clamp(yE + 4, kTop + 2, kBottom - c.textHeight() - 2);
    c.filledBox(x - 1, y, x + c.textWidth(text) + 1, y + c.textHeight(), Qt::white, Qt::white);
    c.printAt(x, y, text);
}

std::vector<double> markerXs(const FitRanges& r)
{
    return {graphX(r.before.from), graphX(r.before.to), graphX(r.after.from), graphX(r.after.to)};
}

void drawRangeMarkers(Canvas& c, const FitRanges& r)
{
    const std::vector<double> xs = markerXs(r);
    const QRectF before(QPointF(graphX(r.before.from), kBottom - 3),
                        QPointF(graphX(r.before.to), kBottom));
    const QRectF after(QPointF(graphX(r.after.from), kBottom - 3),
                       QPointF(graphX(r.after.to), kBottom));
    c.paint([xs, before, after](QPainter& p) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kMarkerColour, 1, Qt::DashLine));
        for (const double x : xs)
            p.drawLine(QPointF(x, kTop), QPointF(x, kBottom));
        // A small triangle on the axis below each limit: the grip.
        p.setPen(QPen(kMarkerColour, 1));
        p.setBrush(QColor(255, 200, 0));
        for (const double x : xs) {
            const QPointF grip[3] = {{x, kBottom - 7}, {x - 4, kBottom}, {x + 4, kBottom}};
            p.drawPolygon(grip, 3);
        }
        // The two ranges, shaded lightly along the axis.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 200, 0, 60));
        p.drawRect(before);
        p.drawRect(after);
        p.restore();
    });
}

QColor ionColour(int slot)
{
    switch (slot) {
    case 1:
        return QColor(245, 130, 130); // H3O+
    case 2:
        return QColor(130, 170, 245); // HO-
    case 3:
        return QColor(250, 215, 110); // Na+
    case 4:
        return QColor(140, 210, 140); // Cl-
    default:
        return QColor(200, 160, 235); // the couple's ion
    }
}

void drawContributions(Canvas& c, const StackedCurve& s, float maxaxe)
{
    if (maxaxe <= 0 || s.vertices.empty()) return;
    std::vector<std::pair<QPolygonF, QColor>> areas;
    for (size_t k = 0; k < s.ions.size(); ++k) {
        QPolygonF area;
        for (size_t j = 0; j < s.vertices.size(); ++j)
            area << QPointF(s.vertices[j].x, clampY(graphY(s.top[j][k], maxaxe)));
        for (size_t j = s.vertices.size(); j-- > 0;)
            area << QPointF(s.vertices[j].x,
                            clampY(graphY(k == 0 ? 0.0f : s.top[j][k - 1], maxaxe)));
        QColor fill = ionColour(s.ions[k]);
        fill.setAlpha(200);
        areas.push_back({area, fill});
    }
    c.paint([areas](QPainter& p) {
        // Filled without antialiasing and without outline: the areas meet
        // edge to edge, and smoothing hundreds of edges costs more than it shows.
        p.save();
        p.setClipRect(QRectF(kLeftX, kTop - 1, kRightX - kLeftX, kBottom - kTop + 1));
        p.setPen(Qt::NoPen);
        for (const auto& [area, fill] : areas) {
            p.setBrush(fill);
            p.drawPolygon(area);
        }
        p.restore();
    });

    std::vector<LegendEntry> legend;
    for (size_t k = s.ions.size(); k-- > 0;)
        legend.push_back({ionColour(s.ions[k]),
                          QString::fromStdString(ionLegend(s.ions[k], s.lambdas[k])), true});
    drawLegend(c, legend, kRightX - 3, kTop + 3);
}

} // namespace titrage
