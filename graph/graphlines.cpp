#include "graph/graphlines.h"

#include "model/curve.h"
#include "model/graphframe.h"
#include "model/linebreaks.h"
#include "platform/canvas.h"
#include "platform/core/numberformat.h"

#include <QLineF>
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

namespace {

// Drawn ink: anything but the white ground and the light greys of the grid.
bool inked(QColor p)
{
    const bool grey = p.red() == p.green() && p.green() == p.blue();
    return !(grey && p.red() >= 150);
}

} // namespace

QPointF leastHidingSpot(const Canvas& c, QSizeF size, const std::vector<QPointF>& candidates)
{
    QPointF best = candidates.empty() ? QPointF() : candidates.front();
    int least = -1;
    for (const QPointF& at : candidates) {
        int hidden = 0;
        for (int y = int(std::floor(at.y())); y <= int(std::ceil(at.y() + size.height())); ++y)
            for (int x = int(std::floor(at.x())); x <= int(std::ceil(at.x() + size.width())); ++x)
                if (inked(c.pixel(x, y))) ++hidden;
        if (least < 0 || hidden < least) {
            least = hidden;
            best = at;
        }
        if (hidden == 0) break;
    }
    return best;
}

namespace {
// E as a dot with its drop to the volume axis and its name; where it stands.
std::pair<double, double> drawPointE(Canvas& c, const TwoLines& t, float maxaxe,
                                     const QString& name);
void placeLabel(Canvas& c, const std::vector<QString>& texts, double xE, double yE);

// The fitted lines, antialiased and kept inside the frame.
void paintFittedLines(Canvas& c, const std::vector<QLineF>& lines, int penWidth)
{
    c.paint([lines, penWidth](QPainter& p) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(QRectF(kLeftX, kTop, kRightX - kLeftX, kBottom - kTop));
        p.setPen(QPen(kLineColour, penWidth));
        for (const QLineF& l : lines)
            p.drawLine(l);
        p.restore();
    });
}
} // namespace

void drawTwoLines(Canvas& c, const TwoLines& t, float maxaxe, int penWidth,
                  const std::vector<QString>& label)
{
    if (!t.found() || maxaxe <= 0) return;
    std::vector<QLineF> lines;
    for (const LineFit* f : {&t.before, &t.after})
        lines.emplace_back(QPointF(graphX(0), graphY(f->at(0), maxaxe)),
                           QPointF(graphX(25), graphY(f->at(25), maxaxe)));
    paintFittedLines(c, lines, penWidth);

    const auto [xE, yE] = drawPointE(c, t, maxaxe, QStringLiteral("E"));
    // "droites :" tells this E from the tangents' one when both are shown;
    // the tangents write theirs right of their E, so the left comes first.
    std::vector<QString> texts = label;
    if (texts.empty()) texts.push_back(QString::fromStdString(veqText(t.veq, t.uVeq)));
    texts.front().prepend(QStringLiteral("droites : "));
    placeLabel(c, texts, xE, yE);
}

void drawBrokenLines(Canvas& c, const BrokenLines& b, float maxaxe, int penWidth,
                     const std::vector<std::vector<QString>>& labels)
{
    if (!b.found() || maxaxe <= 0) return;
    if (b.count() == 1) {
        drawTwoLines(c, b.breaks.front(), maxaxe, penWidth,
                     labels.empty() ? std::vector<QString>{} : labels.front());
        return;
    }
    // Each line from a little before the break that opens its stretch to a
    // little past the one that closes it: across the whole frame, k + 1
    // lines would cross the other stretches' curve far from their own.
    constexpr double kOverhang = 3; // mL
    const std::vector<LineFit> fits = b.lines();
    std::vector<QLineF> lines;
    for (size_t j = 0; j < fits.size(); ++j) {
        const double from = j == 0 ? 0.0 : std::max(0.0, b.breaks[j - 1].veq - kOverhang);
        const double to = j + 1 == fits.size()
                              ? double(kBuretteCapacity)
                              : std::min(double(kBuretteCapacity), b.breaks[j].veq + kOverhang);
        lines.emplace_back(QPointF(graphX(from), graphY(fits[j].at(from), maxaxe)),
                           QPointF(graphX(to), graphY(fits[j].at(to), maxaxe)));
    }
    paintFittedLines(c, lines, penWidth);
    // Every E and its drop first, so that no label hides another E.
    std::vector<QPointF> points;
    for (size_t i = 0; i < b.count(); ++i) {
        const auto [x, y] =
            drawPointE(c, b.breaks[i], maxaxe, QString::fromStdString(breakName(i, b.count())));
        points.emplace_back(x, y);
    }
    for (size_t i = 0; i < b.count(); ++i) {
        std::vector<QString> texts = i < labels.size() && !labels[i].empty()
                                         ? labels[i]
                                         : std::vector<QString>{QString::fromStdString(
                                               veqText(b.breaks[i].veq, b.breaks[i].uVeq))};
        texts.front().prepend(QString::fromStdString(breakName(i, b.count()) + " : "));
        if (i == 0) texts.front().prepend(QStringLiteral("droites, "));
        placeLabel(c, texts, points[i].x(), points[i].y());
    }
}

namespace {

std::pair<double, double> drawPointE(Canvas& c, const TwoLines& t, float maxaxe,
                                     const QString& name)
{
    const double xE = graphX(t.veq);
    const double yE = clampY(graphY(t.before.at(t.veq), maxaxe));
    c.filledCircle(xE, yE, 2.5, Qt::black, Qt::black);
    c.line(xE, yE, xE, kBottom, QColor(120, 120, 120));
    c.setForeColor(Qt::black);
    c.setFont(QStringLiteral("Arial"), 8, true, false);
    c.printAt(xE - 12, yE - 14, name);
    c.setFont(QStringLiteral("Arial"), 8, false, false);
    return {xE, yE};
}

// The label's lines in a white box beside E, where they hide the least of
// the curves and crosses (left of E first, above, then further up or down).
void placeLabel(Canvas& c, const std::vector<QString>& texts, double xE, double yE)
{
    double w = 0;
    for (const QString& line : texts)
        w = std::max(w, c.textWidth(line));
    const double lineH = c.textHeight();
    const double h = lineH * static_cast<double>(texts.size());
    auto inside = [&](double x, double y) {
        return QPointF(std::clamp(x, kLeftX + 2, kRightX - 2 - w),
                       std::clamp(y, kTop + 2, kBottom - h - 2));
    };
    std::vector<QPointF> spots;
    for (const double dy : {-h - 6, 6.0})
        for (const double x : {xE - 6 - w, xE + 6})
            spots.push_back(inside(x, yE + dy));
    for (double y = kTop + 2; y + h + 2 <= kBottom; y += 6)
        for (const double x : {xE - 6 - w, xE + 6})
            spots.push_back(inside(x, y));
    const QPointF at = leastHidingSpot(c, QSizeF(w, h), spots);
    c.filledBox(at.x() - 1, at.y(), at.x() + w + 1, at.y() + h, Qt::white, Qt::white);
    c.setForeColor(Qt::black);
    for (size_t i = 0; i < texts.size(); ++i)
        c.printAt(at.x(), at.y() + lineH * static_cast<double>(i), texts[i]);
}

} // namespace

void drawVeqHistogram(Canvas& c, const MonteCarloResult& r)
{
    if (r.histogram.empty() || r.found() == 0) return;
    constexpr double kBars = 52;
    c.setFont(QStringLiteral("Arial"), 7, false, false);
    const QString summary =
        QStringLiteral("moyenne %1 mL, écart-type %2 mL")
            .arg(QString::fromStdString(formatNumber(r.mean, "#0.00")),
                 QString::fromStdString(formatNumber(r.sd, r.sd < 0.01 ? "#0.000" : "#0.00")));
    const double kW = std::max(150.0, c.textWidth(summary) + 10);
    const double lineH = c.textHeight();
    const double h = lineH * 3 + kBars + 10;
    std::vector<QPointF> spots;
    for (double y = kTop + 4; y + h <= kBottom - 4; y += 8)
        for (const double x : {kLeftX + 6, kRightX - 6 - kW, (kLeftX + kRightX - kW) / 2})
            spots.push_back({x, y});
    const QPointF at = leastHidingSpot(c, QSizeF(kW, h), spots);
    const double left = at.x(), top = at.y();
    c.filledBox(left, top, left + kW, top + h, Qt::white, QColor(150, 150, 150));
    c.setForeColor(Qt::black);
    c.printAt(left + 4, top + 2, QStringLiteral("Monte-Carlo : %1 tirages de Véq").arg(r.found()));

    // The bars, the tallest kBars high, over the range of the draws.
    int most = 1;
    for (int n : r.histogram)
        most = std::max(most, n);
    const double barsLeft = left + 6, barsRight = left + kW - 6;
    const double base = top + lineH + 4 + kBars;
    const double bw = (barsRight - barsLeft) / static_cast<double>(r.histogram.size());
    const QColor fill(120, 160, 230);
    for (size_t i = 0; i < r.histogram.size(); ++i) {
        if (r.histogram[i] == 0) continue;
        const double x = barsLeft + bw * static_cast<double>(i);
        const double y = base - kBars * r.histogram[i] / most;
        c.filledBox(x, y, x + bw - 1, base, fill, QColor(60, 90, 160));
    }
    c.line(barsLeft, base, barsRight, base, Qt::black);
    // The mean, as a red tick through the bars.
    if (r.hi > r.lo) {
        const double xm = barsLeft + (barsRight - barsLeft) * (r.mean - r.lo) / (r.hi - r.lo);
        c.line(xm, base - kBars - 2, xm, base + 2, QColor(200, 0, 0));
    }
    c.setForeColor(Qt::black);
    const QString lo = QString::fromStdString(formatNumber(r.lo, "#0.00"));
    const QString hi = QString::fromStdString(formatNumber(r.hi, "#0.00")) + QStringLiteral(" mL");
    c.printAt(barsLeft, base + 1, lo);
    c.printAt(barsRight - c.textWidth(hi), base + 1, hi);
    c.setForeColor(QColor(200, 0, 0));
    c.printAt(left + 4, base + 1 + lineH, summary);
    c.setForeColor(Qt::black);
    c.setFont(QStringLiteral("Arial"), 8, false, false);
}

float correctedScale(const std::vector<FitPoint>& points, double v0)
{
    double top = 0;
    for (const FitPoint& p : points)
        if (std::isfinite(p.sigma) && std::isfinite(p.v))
            top = std::max(top, dilutionCorrected(p.sigma, p.v, v0));
    if (!(top > 0)) return 0;
    const double unit = std::pow(10.0, std::floor(std::log10(top)) - 1);
    return static_cast<float>(std::ceil(top / unit - 1e-9) * unit);
}

void drawCorrectedPoints(Canvas& c, const std::vector<FitPoint>& points, double v0, float maxaxe,
                         QColor colour)
{
    if (maxaxe <= 0) return;
    for (const FitPoint& p : points) {
        const double x = graphX(p.v);
        const double y = graphY(dilutionCorrected(p.sigma, p.v, v0), maxaxe);
        if (!std::isfinite(x) || !std::isfinite(y) || y < kTop - 5 || y > kBottom + 5) continue;
        c.line(x + 3, y, x - 3, y, colour);
        c.line(x, y + 3, x, y - 3, colour);
    }
    // The axis's title, over the measured sigma's one (left of the axis,
    // above the frame), and what it is, right of the axis's tip.
    c.setFont(QStringLiteral("Arial"), 8, false, false);
    const QString definition = QStringLiteral("= σ·(V₀ + V)/V₀, en S·m⁻¹");
    c.filledBox(-19, 2, kLeftX - 4, 4 + c.textHeight(), Qt::white, Qt::white);
    c.setForeColor(Qt::black);
    c.printAt(-18, 4, QStringLiteral("σ corrigée"));
    c.printAt(kLeftX + 8, 4, definition);
}

std::vector<double> markerXs(const FitRanges& r)
{
    return markerXs(std::vector<FitRange>{r.before, r.after});
}

std::vector<double> markerXs(const std::vector<FitRange>& ranges)
{
    std::vector<double> xs;
    for (const FitRange& r : ranges) {
        xs.push_back(graphX(r.from));
        xs.push_back(graphX(r.to));
    }
    return xs;
}

void drawRangeMarkers(Canvas& c, const FitRanges& r, int selected)
{
    drawRangeMarkers(c, std::vector<FitRange>{r.before, r.after}, selected);
}

void drawRangeMarkers(Canvas& c, const std::vector<FitRange>& ranges, int selected)
{
    const std::vector<double> xs = markerXs(ranges);
    std::vector<QRectF> shaded;
    for (const FitRange& r : ranges)
        shaded.emplace_back(QPointF(graphX(r.from), kBottom - 3), QPointF(graphX(r.to), kBottom));
    c.paint([xs, shaded, selected](QPainter& p) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kMarkerColour, 1, Qt::DashLine));
        for (const double x : xs)
            p.drawLine(QPointF(x, kTop), QPointF(x, kBottom));
        // A small triangle on the axis below each limit: the grip.
        p.setPen(QPen(kMarkerColour, 1));
        p.setBrush(QColor(255, 200, 0));
        for (int i = 0; i < static_cast<int>(xs.size()); ++i) {
            const double x = xs[i];
            const double size = i == selected ? 6 : 4;
            p.setBrush(i == selected ? QColor(230, 120, 0) : QColor(255, 200, 0));
            const QPointF grip[3] = {
                {x, kBottom - 1.75 * size}, {x - size, kBottom}, {x + size, kBottom}};
            p.drawPolygon(grip, 3);
        }
        // The two ranges, shaded lightly along the axis.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 200, 0, 60));
        for (const QRectF& r : shaded)
            p.drawRect(r);
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

std::vector<std::pair<QPolygonF, QColor>> stackedAreas(const std::vector<CurveVertex>& vertices,
                                                       const std::vector<std::vector<float>>& top,
                                                       const std::vector<QColor>& colours,
                                                       float maxaxe)
{
    std::vector<std::pair<QPolygonF, QColor>> areas;
    for (size_t k = 0; k < colours.size(); ++k) {
        QPolygonF area;
        for (size_t j = 0; j < vertices.size(); ++j)
            area << QPointF(vertices[j].x, clampY(graphY(top[j][k], maxaxe)));
        for (size_t j = vertices.size(); j-- > 0;)
            area << QPointF(vertices[j].x, clampY(graphY(k == 0 ? 0.0f : top[j][k - 1], maxaxe)));
        QColor fill = colours[k];
        fill.setAlpha(200);
        areas.push_back({area, fill});
    }
    return areas;
}

void drawContributions(Canvas& c, const StackedCurve& s, float maxaxe)
{
    if (maxaxe <= 0 || s.vertices.empty()) return;
    std::vector<QColor> colours;
    for (const int ion : s.ions)
        colours.push_back(ionColour(ion));
    const auto areas = stackedAreas(s.vertices, s.top, colours, maxaxe);
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
