#include "graph/graphview.h"

#include "graph/core/graphscale.h"
#include "model/graphframe.h"

#include <QPainter>
#include <QPolygonF>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

const QColor kGridGrey(192, 192, 192); // palette colour 7
const QColor kVolumeGrid(220, 220, 220);
const QColor kMinorLabel(200, 200, 200);

double clampCoordinate(double c)
{
    return std::clamp(c, -GraphView::kCoordinateLimit, GraphView::kCoordinateLimit);
}

// A grid line one unit wide, straight, from (x1, y1) up to but not including
// (x2, y2), made of whole device pixels. A unit-wide stroke at a scale such as
// 1,5 covers one or two pixels depending on where it falls, and the grid
// comes out uneven; each line here takes the same number of pixels (the scale
// rounded, at least one), from the pixel its unit starts in.
void gridLine(Canvas& c, double x1, double y1, double x2, double y2, QColor colour)
{
    c.paint(
        [=](QPainter& p) {
            const qreal ratio =
                p.device() ? std::max<qreal>(1.0, p.device()->devicePixelRatioF()) : 1.0;
            const QTransform toDevice = p.deviceTransform();
            // The first device pixel whose centre lies inside the unit at v.
            auto pixel = [](qreal v) { return static_cast<int>(std::ceil(v - 0.5)); };
            const QPointF a = toDevice.map(QPointF(x1, y1));
            const QPointF b = toDevice.map(QPointF(x2, y2));
            const int width = std::max(1, static_cast<int>(std::lround(ratio)));
            int left = pixel(std::min(a.x(), b.x())), top = pixel(std::min(a.y(), b.y()));
            int w = width, h = width;
            if (y1 == y2)
                w = pixel(std::max(a.x(), b.x())) - left;
            else
                h = pixel(std::max(a.y(), b.y())) - top;
            p.save();
            // Whole device pixels, whatever the painter's own scale.
            p.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
            p.setRenderHint(QPainter::Antialiasing, false);
            p.fillRect(QRectF(left, top, w, h), colour);
            p.restore();
        },
        QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)),
               QPointF(std::max(x1, x2) + 1, std::max(y1, y2) + 1)));
}

} // namespace

GraphView::GraphView(QWidget* parent) : CanvasWidget(QSize(kWidth, kHeight), parent)
{
    setObjectName(QStringLiteral("Picture1"));
    canvas().setOrigin(QPointF(kLeft, 0));
    canvas().setBackColor(Qt::white);
    canvas().cls();
}

void GraphView::setPenWidth(int width)
{
    canvas().setPenWidth(width);
}

void GraphView::drawFrame(float maxaxe)
{
    Canvas& c = canvas();
    c.dropBackground();
    c.setBackColor(Qt::white);
    c.cls();
    c.setFont(QStringLiteral("Arial"), 8, false, false);
    c.setPenWidth(1);
    c.setForeColor(Qt::black);

    m_graduations.clear();
    m_phGraduations.clear();
    if (m_mode == GraphMode::Ph) {
        drawPhGrid();
    } else {
        for (int j = 0; j <= kSigmaGraduations; ++j)
            m_graduations << QString::fromStdString(graduationLabel(maxaxe, j));
        drawGrid(m_graduations, kGridGrey, kVolumeGrid);
        drawSigmaTitle();
        if (m_mode == GraphMode::Both) {
            drawPhScale();
            drawViewKey();
        }
    }
    drawVolumeTitle();
    update();
}

// The pH view: a graduation per pH unit from the volume axis up to pH 14,
// labelled every 2 left of the axis as the sigma view labels its own.
void GraphView::drawPhGrid()
{
    Canvas& c = canvas();
    c.setForeColor(Qt::black);
    for (int ph = 0; ph <= kPhAxisTop; ++ph) {
        const double y = phY(ph);
        gridLine(c, kGraphLeft, y, kGraphRight, y, kGridGrey);
        const QString label = QString::fromStdString(phGraduationLabel(ph));
        m_phGraduations << label;
        if (!label.isEmpty())
            c.printAt(kGraphLeft - 4 - c.textWidth(label), y - c.textHeight(label) / 2, label);
    }
    for (int i = 0; i <= kVolumeGraduations; ++i) {
        const double x = graphX(i);
        if (i % 5 == 0) {
            c.setForeColor(Qt::black);
            const QString label = QString::number(i);
            c.printAt(x - c.textWidth(label) / 2, kGraphBottom + 2, label);
        }
        gridLine(c, x, phY(kPhAxisTop), x, kGraphBottom, kVolumeGrid);
    }
    drawAxes();
    drawPhTitle(-18, 4);
}

void GraphView::drawPhTitle(double x, double y)
{
    Canvas& c = canvas();
    c.setForeColor(Qt::black);
    c.printAt(x, y, QStringLiteral("pH"));
}

// Both curves on one frame: which line reads on which axis, in the free strip
// above the frame.
void GraphView::drawViewKey()
{
    Canvas& c = canvas();
    const QFont font = c.font();
    c.setFont(QStringLiteral("Arial"), 7, false, false);
    c.setForeColor(QColor(60, 60, 60));
    // From just right of the sigma axis's title, so that the right of the
    // strip stays free for the two lines' Monte-Carlo button.
    const double y = 8;
    double x = 56;
    c.line(x, y + 5, x + 14, y + 5, Qt::black);
    c.printAt(x + 18, y, tr("σ, axe de gauche"));
    x = c.currentX() + 16;
    c.paint(
        [x, y](QPainter& p) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawLine(QPointF(x, y + 5.5), QPointF(x + 14, y + 5.5));
        },
        QRectF(x - 1, y, 16, 12));
    c.circle(x + 7, y + 5, 2, Qt::black);
    c.printAt(x + 18, y, tr("pH, axe de droite"));
    c.setFont(font);
    c.setForeColor(Qt::black);
}

void GraphView::drawGrid(const QStringList& labels, QColor horizontal, QColor vertical)
{
    Canvas& c = canvas();
    // Horizontal graduations, labelled right-aligned 4 units left of the axis.
    c.setForeColor(Qt::black);
    for (int j = 0; j <= kSigmaGraduations; ++j) {
        const double y = gridY(j);
        gridLine(c, kGraphLeft, y, kGraphRight, y, horizontal);
        const QString label = labels.value(j);
        c.printAt(kGraphLeft - 4 - c.textWidth(label), y - c.textHeight(label) / 2, label);
    }
    // Vertical graduations, one per millilitre, labelled every 5 mL just
    // under the axis.
    for (int i = 0; i <= kVolumeGraduations; ++i) {
        const double x = graphX(i);
        if (i % 5 == 0) {
            c.setForeColor(Qt::black);
            const QString label = QString::number(i);
            c.printAt(x - c.textWidth(label) / 2, kGraphBottom + 2, label);
        } else {
            c.setForeColor(kMinorLabel);
        }
        gridLine(c, x, kGraphTop, x, kGraphBottom, vertical);
    }
    drawAxes();
}

void GraphView::drawAxes()
{
    Canvas& c = canvas();
    // Each axis ends in an arrow of two strokes back from its tip.
    const double x0 = kGraphLeft, y0 = kGraphBottom;
    const double top = kGraphArrowTop, right = kGraphArrowRight;
    c.line(x0, top, x0, y0, Qt::black);
    c.line(x0, top, x0 - 3, top + 5, Qt::black);
    c.line(x0, top, x0 + 3, top + 5, Qt::black);
    c.line(x0, y0, right, y0, Qt::black);
    c.line(right - 4, y0 - 2, right, y0, Qt::black);
    c.line(right - 4, y0 + 2, right, y0, Qt::black);
}

void GraphView::drawSigmaTitle()
{
    Canvas& c = canvas();
    c.setForeColor(Qt::black);
    c.printAt(-18, 4, QStringLiteral("σ"));
    c.print(QStringLiteral(" (S · m"));
    c.moveTo(c.currentX(), c.currentY() - 3);
    c.print(QStringLiteral("-1"));
    c.moveTo(c.currentX(), c.currentY() + 3);
    c.print(QStringLiteral(")"));
}

void GraphView::drawVolumeTitle()
{
    Canvas& c = canvas();
    c.setItalic(true);
    c.printAt(kGraphArrowRight - 10, kGraphBottom + 2, QStringLiteral("V"));
    c.setItalic(false);
    c.moveTo(c.currentX(), c.currentY() + 5);
    c.print(QStringLiteral("1"));
    c.moveTo(c.currentX(), c.currentY() - 5);
    c.print(QStringLiteral(" (mL)"));
}

void GraphView::drawCross(double v, double sigma, float maxaxe, QColor colour)
{
    const auto y = crossY(sigma, maxaxe);
    const double x = graphX(v);
    if (!y || !std::isfinite(x) || std::fabs(x) > kCoordinateLimit) return;
    Canvas& c = canvas();
    c.line(x + 4, *y, x - 3, *y, colour);
    c.line(x, *y + 4, x, *y - 3, colour);
    updateChanged();
}

void GraphView::drawImportedCross(double v, double sigma, float maxaxe, QColor colour)
{
    const auto y = crossY(sigma, maxaxe);
    const double x = graphX(v);
    if (!y || !std::isfinite(x) || std::fabs(x) > kCoordinateLimit) return;
    Canvas& c = canvas();
    c.line(x - 3, *y - 3, x + 4, *y + 4, colour);
    c.line(x - 3, *y + 3, x + 4, *y - 4, colour);
    updateChanged();
}

void GraphView::drawCurve(const std::vector<CurveVertex>& vertices, QColor colour)
{
    Canvas& c = canvas();
    bool first = true;
    for (const CurveVertex& p : vertices) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        const double x = clampCoordinate(p.x);
        const double y = clampCoordinate(p.y);
        if (first)
            c.pset(x, y, colour);
        else
            c.lineTo(x, y, colour);
        first = false;
    }
    updateChanged();
}

void GraphView::drawPhPoint(double v, double ph, QColor colour)
{
    const auto y = phCrossY(ph);
    const double x = graphX(v);
    if (!y || !std::isfinite(x) || std::fabs(x) > kCoordinateLimit) return;
    canvas().circle(x, *y, 3, colour);
    updateChanged();
}

void GraphView::drawPhCurve(const std::vector<CurveVertex>& vertices, QColor colour)
{
    QPolygonF line;
    line.reserve(static_cast<int>(vertices.size()));
    for (const CurveVertex& p : vertices) {
        const double y = phY(p.ph);
        if (!std::isfinite(p.x) || !std::isfinite(y)) continue;
        line << QPointF(clampCoordinate(p.x), clampCoordinate(y));
    }
    if (line.isEmpty()) return;
    if (m_mode == GraphMode::Ph) {
        // The same strokes as a sigma curve: a point, then lines.
        Canvas& c = canvas();
        c.pset(line.front().x(), line.front().y(), colour);
        for (int i = 1; i < line.size(); ++i)
            c.lineTo(line[i].x(), line[i].y(), colour);
    } else {
        const int width = penWidth();
        canvas().paint(
            [line, colour, width](QPainter& p) {
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setPen(QPen(colour, width, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
                p.drawPolyline(line.translated(0.5, 0.5));
            },
            line.boundingRect().adjusted(-width - 1, -width - 1, width + 1, width + 1));
    }
    updateChanged();
}

void GraphView::drawViewedCurve(const std::vector<CurveVertex>& vertices, QColor colour)
{
    if (showsSigma(m_mode)) drawCurve(vertices, colour);
    if (showsPh(m_mode)) drawPhCurve(vertices, colour);
}

void GraphView::drawViewedPoint(double v, double sigma, std::optional<double> ph, float maxaxe,
                                QColor colour)
{
    if (showsSigma(m_mode)) drawCross(v, sigma, maxaxe, colour);
    if (showsPh(m_mode) && ph) drawPhPoint(v, *ph, colour);
}

QString GraphView::readout(QPointF logical, bool titration) const
{
    return QString::fromStdString(graphReadout(logical.x(), logical.y(), titration).tooltip);
}

void GraphView::updateReadout(QPoint widgetPos, bool titration)
{
    const QPointF p = toLogical(widgetPos);
    const GraphReadout r = graphReadout(p.x(), p.y(), titration);
    setCursor(r.inside ? Qt::CrossCursor : Qt::ArrowCursor);
    const QString tip = QString::fromStdString(r.tooltip);
    setToolTip(tip);
    // A tooltip already shown follows the pointer.
    if (tip.isEmpty())
        QToolTip::hideText();
    else if (QToolTip::isVisible())
        QToolTip::showText(mapToGlobal(widgetPos), tip, this);
}

} // namespace titrage
