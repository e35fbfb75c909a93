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

#include <QFontMetricsF>

#include <algorithm>
#include <climits>
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

namespace {

constexpr double kLegendSwatch = 22; // from the box's left edge to its texts
constexpr double kLegendPad = 6;     // after the longest text

QFont legendFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(7);
    return f;
}

} // namespace

QSizeF legendSize(const Canvas& c, const std::vector<LegendEntry>& entries)
{
    if (entries.empty()) return {};
    // The texts' own width on the canvas's image, and their ink, which at
    // some sizes reaches a little past the advance (a final "¹" or "⁺").
    const QFontMetricsF fm(legendFont(), &c.image());
    double width = 0;
    for (const LegendEntry& e : entries)
        width = std::max({width, fm.horizontalAdvance(e.text), fm.boundingRect(e.text).right()});
    const double line = fm.height() + 1;
    return {std::ceil(width + kLegendSwatch + kLegendPad),
            std::ceil(line * static_cast<double>(entries.size()) + 4)};
}

void drawLegend(Canvas& c, const std::vector<LegendEntry>& entries, double right, double top)
{
    if (entries.empty()) return;
    const QSizeF size = legendSize(c, entries);
    c.setFont(legendFont());
    const double line = c.textHeight() + 1;
    const double left = right - size.width();
    c.filledBox(left, top, right, top + size.height(), Qt::white, QColor(150, 150, 150));
    for (size_t i = 0; i < entries.size(); ++i) {
        const LegendEntry& e = entries[i];
        const double y = top + 2 + line * i;
        const double mid = y + line / 2;
        if (e.area)
            c.filledBox(left + 4, mid - 3, left + 18, mid + 3, e.colour, QColor(100, 100, 100));
        else
            c.line(left + 4, mid, left + 18, mid, e.colour);
        c.setForeColor(Qt::black);
        c.printAt(left + kLegendSwatch, y, e.text);
    }
    c.setFont(QStringLiteral("Arial"), 8, false, false);
}

QRectF drawLegendInFrame(Canvas& c, const std::vector<LegendEntry>& entries)
{
    if (entries.empty()) return {};
    const QSizeF size = legendSize(c, entries);
    const QPointF at = freeSpotInFrame(c, size);
    drawLegend(c, entries, at.x() + size.width(), at.y());
    return QRectF(at, size);
}

namespace {

// Drawn ink: anything but the white ground and the light greys of the grid.
bool inked(QColor p)
{
    // The tangents' grey pH curve (150) and a legend's border are ink too.
    const bool grey = p.red() == p.green() && p.green() == p.blue();
    return !(grey && p.red() >= 190);
}

} // namespace

namespace {

// The canvas's drawn ink by logical unit, with running sums so that what a
// box would hide is counted at once wherever the box is tried: a label
// placed by trying hundreds of spots stays cheap. A unit is inked when any
// device pixel in it is: a fine slanting stroke at a high ratio counts.
class InkMap {
public:
    explicit InkMap(const Canvas& c)
        : m_origin(c.origin()), m_w(c.size().width()), m_h(c.size().height()),
          m_sums(static_cast<size_t>((m_w + 1) * (m_h + 1)), 0)
    {
        const QImage& image = c.image();
        const double ratio = std::max(1e-6, c.devicePixelRatio());
        std::vector<unsigned char> ink(static_cast<size_t>(m_w * m_h), 0);
        for (int py = 0; py < image.height(); ++py) {
            const int y = std::min(m_h - 1, static_cast<int>(py / ratio));
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(py));
            for (int px = 0; px < image.width(); ++px)
                if (inked(QColor(row[px]))) {
                    const int x = std::min(m_w - 1, static_cast<int>(px / ratio));
                    ink[static_cast<size_t>(y * m_w + x)] = 1;
                }
        }
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                at(x + 1, y + 1) = ink[static_cast<size_t>(y * m_w + x)] + at(x, y + 1) +
                                   at(x + 1, y) - at(x, y);
    }

    // Inked units among those from (x0, y0) to (x1, y1) inclusive, logical
    // coordinates; a unit off the picture counts as inked.
    int count(int x0, int y0, int x1, int y1) const
    {
        if (x1 < x0 || y1 < y0) return 0;
        const int ox = static_cast<int>(std::floor(m_origin.x()));
        const int oy = static_cast<int>(std::floor(m_origin.y()));
        const int ax = std::clamp(x0 - ox, 0, m_w), bx = std::clamp(x1 - ox + 1, 0, m_w);
        const int ay = std::clamp(y0 - oy, 0, m_h), by = std::clamp(y1 - oy + 1, 0, m_h);
        const long long all = static_cast<long long>(x1 - x0 + 1) * (y1 - y0 + 1);
        const long long inside = static_cast<long long>(bx - ax) * (by - ay);
        const int drawn = bx > ax && by > ay ? at(bx, by) - at(ax, by) - at(bx, ay) + at(ax, ay) : 0;
        return static_cast<int>(std::min<long long>(all - inside + drawn, INT_MAX));
    }

private:
    int& at(int x, int y) { return m_sums[static_cast<size_t>(y * (m_w + 1) + x)]; }
    int at(int x, int y) const { return m_sums[static_cast<size_t>(y * (m_w + 1) + x)]; }

    QPointF m_origin;
    int m_w, m_h;
    std::vector<int> m_sums;
};

QPointF leastHiding(const InkMap& ink, QSizeF size, const std::vector<QPointF>& candidates)
{
    QPointF best = candidates.empty() ? QPointF() : candidates.front();
    int least = -1;
    for (const QPointF& at : candidates) {
        const int hidden =
            ink.count(int(std::floor(at.x())), int(std::floor(at.y())),
                      int(std::ceil(at.x() + size.width())), int(std::ceil(at.y() + size.height())));
        if (least < 0 || hidden < least) {
            least = hidden;
            best = at;
        }
        if (hidden == 0) break;
    }
    return best;
}

} // namespace

QPointF leastHidingSpot(const Canvas& c, QSizeF size, const std::vector<QPointF>& candidates)
{
    return leastHiding(InkMap(c), size, candidates);
}

QPointF freeSpotInFrame(const Canvas& c, QSizeF size, double margin)
{
    // The box with its margin, kept inside the frame.
    const QSizeF outer(size.width() + 2 * margin, size.height() + 2 * margin);
    const double left = kLeftX + 2, right = kRightX - 1 - outer.width();
    const double top = kTop + 1, bottom = kBottom - 2 - outer.height();
    if (right < left || bottom < top) return QPointF(left + margin, top + margin);
    // The corners first, the upper ones before (a legend reads best there),
    // then every spot of the frame from the top down.
    std::vector<QPointF> spots = {{right, top}, {left, top}, {right, bottom}, {left, bottom}};
    constexpr double kStep = 3;
    for (double y = top; y <= bottom; y += kStep)
        for (double x = right; x >= left; x -= kStep)
            spots.emplace_back(x, y);
    const QPointF at = leastHiding(InkMap(c), outer, spots);
    return at + QPointF(margin, margin);
}

namespace {
// E as a dot with its drop to the volume axis and its name; where it stands.
std::pair<double, double> drawPointE(Canvas& c, const TwoLines& t, float maxaxe);
void nameE(Canvas& c, const QString& name, double xE, double yE);

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

    const auto [xE, yE] = drawPointE(c, t, maxaxe);
    nameE(c, QStringLiteral("E"), xE, yE);
    // "droites :" tells this E from the tangents' one when both are shown;
    // the tangents write theirs right of their E, so the left comes first.
    std::vector<QString> texts = label;
    if (texts.empty()) texts.push_back(QString::fromStdString(veqText(t.veq, t.uVeq)));
    texts.front().prepend(QStringLiteral("droites : "));
    drawLabelBeside(c, texts, QPointF(xE, yE));
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
    // Every E and its drop first, so that no name or label hides another E
    // or is crossed by its drop.
    std::vector<QPointF> points;
    for (size_t i = 0; i < b.count(); ++i) {
        const auto [x, y] = drawPointE(c, b.breaks[i], maxaxe);
        points.emplace_back(x, y);
    }
    for (size_t i = 0; i < b.count(); ++i)
        nameE(c, QString::fromStdString(breakName(i, b.count())), points[i].x(), points[i].y());
    for (size_t i = 0; i < b.count(); ++i) {
        std::vector<QString> texts = i < labels.size() && !labels[i].empty()
                                         ? labels[i]
                                         : std::vector<QString>{QString::fromStdString(
                                               veqText(b.breaks[i].veq, b.breaks[i].uVeq))};
        texts.front().prepend(QString::fromStdString(breakName(i, b.count()) + " : "));
        if (i == 0) texts.front().prepend(QStringLiteral("droites, "));
        drawLabelBeside(c, texts, points[i]);
    }
}

namespace {

std::pair<double, double> drawPointE(Canvas& c, const TwoLines& t, float maxaxe)
{
    const double xE = graphX(t.veq);
    const double yE = clampY(graphY(t.before.at(t.veq), maxaxe));
    c.filledCircle(xE, yE, 2.5, Qt::black, Qt::black);
    c.line(xE, yE, xE, kBottom, QColor(120, 120, 120));
    return {xE, yE};
}

// E's name in bold close to it, on the side its lines and the curve leave
// free: the fitted lines meet at E and cross one side or another of it
// depending on their slopes.
void nameE(Canvas& c, const QString& name, double xE, double yE)
{
    c.setFont(QStringLiteral("Arial"), 8, true, false);
    const double w = c.textWidth(name), h = c.textHeight();
    std::vector<QPointF> spots;
    for (const double gap : {4.0, 8.0})
        for (const QPointF& d : {QPointF(-w - gap, -h - gap + 2), QPointF(gap, -h - gap + 2),
                                 QPointF(-w - gap, gap - 2), QPointF(gap, gap - 2),
                                 QPointF(-w / 2, -h - gap), QPointF(-w - gap - 2, -h / 2),
                                 QPointF(gap + 2, -h / 2)})
            spots.push_back(QPointF(xE, yE) + d);
    const QPointF at = leastHidingSpot(c, QSizeF(w, h - 2), spots);
    c.setForeColor(Qt::black);
    c.printAt(at.x(), at.y(), name);
    c.setFont(QStringLiteral("Arial"), 8, false, false);
}

} // namespace

QRectF drawLabelBeside(Canvas& c, const std::vector<QString>& texts, QPointF point)
{
    if (texts.empty()) return {};
    double w = 0;
    for (const QString& line : texts)
        w = std::max(w, c.textWidth(line));
    const double lineH = c.textHeight();
    const double h = lineH * static_cast<double>(texts.size());
    constexpr double kMargin = 2; // kept clear of any line around the box
    const double xE = point.x(), yE = point.y();
    auto inside = [&](double x, double y) {
        return QPointF(std::clamp(x, kLeftX + 2 + kMargin, kRightX - 2 - kMargin - w),
                       std::clamp(y, kTop + 2 + kMargin, kBottom - h - 2 - kMargin));
    };
    // Beside the point first (left above, right above, left below, right
    // below), then anywhere in the frame, the nearest spots first, so that
    // the label reads as the point's without a line through its text.
    std::vector<QPointF> spots;
    for (const double dy : {-h - 6, 6.0})
        for (const double x : {xE - 6 - w, xE + 6})
            spots.push_back(inside(x, yE + dy));
    std::vector<QPointF> far;
    for (double y = kTop + 2 + kMargin; y + h + 2 + kMargin <= kBottom; y += 3)
        for (double x = kLeftX + 2 + kMargin; x + w + 2 + kMargin <= kRightX; x += 3)
            far.emplace_back(x, y);
    auto distance = [&](QPointF at) {
        // From the point to the nearest point of the box.
        const double dx = std::max({at.x() - xE, 0.0, xE - at.x() - w});
        const double dy = std::max({at.y() - yE, 0.0, yE - at.y() - h});
        return dx * dx + dy * dy;
    };
    std::stable_sort(far.begin(), far.end(),
                     [&](QPointF a, QPointF b) { return distance(a) < distance(b); });
    spots.insert(spots.end(), far.begin(), far.end());
    for (QPointF& at : spots)
        at -= QPointF(kMargin, kMargin);
    const QPointF at = leastHidingSpot(c, QSizeF(w + 2 * kMargin, h + 2 * kMargin), spots) +
                       QPointF(kMargin, kMargin);
    c.filledBox(at.x() - 1, at.y(), at.x() + w + 1, at.y() + h, Qt::white, Qt::white);
    c.setForeColor(Qt::black);
    for (size_t i = 0; i < texts.size(); ++i)
        c.printAt(at.x(), at.y() + lineH * static_cast<double>(i), texts[i]);
    return QRectF(at.x() - 1, at.y(), w + 2, h);
}

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

QRectF drawContributions(Canvas& c, const StackedCurve& s, float maxaxe)
{
    if (maxaxe <= 0 || s.vertices.empty()) return {};
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
    return drawLegendInFrame(c, legend);
}

} // namespace titrage
