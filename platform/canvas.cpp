#include "platform/canvas.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace titrage {

Canvas::Canvas(QSize logicalSize, QColor backColor) : m_backColor(backColor)
{
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPointSizeF(8);
    resize(logicalSize);
}

Canvas::~Canvas()
{
    flush();
}

void Canvas::resize(QSize logicalSize, qreal devicePixelRatio)
{
    flush();
    m_size = logicalSize.expandedTo(QSize(1, 1));
    m_ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    m_image = QImage(m_size * m_ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(m_ratio);
    m_background = QImage();
    m_image.fill(m_backColor);
}

void Canvas::flush() const
{
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

QPainter& Canvas::begin()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->translate(-m_origin);
    }
    m_painter->setCompositionMode(m_merge ? QPainter::RasterOp_SourceOrDestination
                                          : QPainter::CompositionMode_SourceOver);
    return *m_painter;
}

QPainter& Canvas::painter()
{
    return begin();
}

const QImage& Canvas::image() const
{
    flush();
    return m_image;
}

QColor Canvas::pixel(int x, int y) const
{
    flush();
    const QPoint p(static_cast<int>((x - m_origin.x()) * m_ratio),
                   static_cast<int>((y - m_origin.y()) * m_ratio));
    if (!m_image.rect().contains(p)) return {};
    return m_image.pixelColor(p);
}

void Canvas::setOrigin(QPointF origin)
{
    flush();
    m_origin = origin;
}

void Canvas::cls()
{
    flush();
    if (!m_background.isNull())
        m_image = m_background.copy();
    else
        m_image.fill(m_backColor);
    m_current = {0, 0};
}

void Canvas::keepAsBackground()
{
    flush();
    m_background = m_image.copy();
}

void Canvas::dropBackground()
{
    m_background = QImage();
}

void Canvas::setFont(const QString& family, qreal pointSize, bool bold, bool italic)
{
    m_font = QFont(family);
    m_font.setPointSizeF(pointSize);
    m_font.setBold(bold);
    m_font.setItalic(italic);
}

namespace {
QPen penOf(QColor color, int width)
{
    QPen pen(color);
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// Pixel-grid rectangle between two corners, both included.
QRectF cornersRect(double x1, double y1, double x2, double y2)
{
    const double left = std::min(x1, x2);
    const double top = std::min(y1, y2);
    return {left, top, std::max(x1, x2) - left, std::max(y1, y2) - top};
}
} // namespace

void Canvas::pset(double x, double y, QColor color)
{
    QPainter& p = begin();
    p.fillRect(
        QRectF(x - (m_penWidth - 1) / 2.0, y - (m_penWidth - 1) / 2.0, m_penWidth, m_penWidth),
        color);
    m_current = {x, y};
}

void Canvas::line(double x1, double y1, double x2, double y2, QColor color)
{
    QPainter& p = begin();
    if (m_penWidth == 1) {
        // One-unit strokes are rasterised here, pixel for pixel, the way the
        // picture boxes drew them: from the first end point up to, but not
        // including, the last one, so that a chain of lines joins without
        // drawing a shared point twice (which matters with the merge pen).
        const auto clampCoordinate = [](double v) {
            return static_cast<long>(std::lround(std::clamp(v, -1e6, 1e6)));
        };
        long x = clampCoordinate(x1), y = clampCoordinate(y1);
        const long xEnd = clampCoordinate(x2), yEnd = clampCoordinate(y2);
        const long dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
        const long sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
        if (dy == 0 || dx == 0) {
            // Straight strokes in one rectangle.
            const long left = std::min(x, xEnd + (dx == 0 ? 0 : -sx));
            const long right = std::max(x, xEnd + (dx == 0 ? 0 : -sx));
            const long top = std::min(y, yEnd + (dy == 0 ? 0 : -sy));
            const long bottom = std::max(y, yEnd + (dy == 0 ? 0 : -sy));
            if (dx != 0 || dy != 0)
                p.fillRect(QRectF(left, top, right - left + 1, bottom - top + 1), color);
        } else {
            long err = dx + dy;
            while (x != xEnd || y != yEnd) {
                p.fillRect(QRectF(x, y, 1, 1), color);
                const long e2 = 2 * err;
                if (e2 >= dy) {
                    err += dy;
                    x += sx;
                }
                if (e2 <= dx) {
                    err += dx;
                    y += sy;
                }
            }
        }
        m_current = {x2, y2};
        return;
    }
    p.setPen(penOf(color, m_penWidth));
    // Offsets of half a pixel put one-unit strokes on the pixel grid.
    p.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    m_current = {x2, y2};
}

void Canvas::lineTo(double x, double y, QColor color)
{
    line(m_current.x(), m_current.y(), x, y, color);
}

void Canvas::box(double x1, double y1, double x2, double y2, QColor outline)
{
    QPainter& p = begin();
    p.setPen(penOf(outline, m_penWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cornersRect(x1, y1, x2, y2).translated(0.5, 0.5));
    m_current = {x2, y2};
}

void Canvas::filledBox(double x1, double y1, double x2, double y2, QColor fill)
{
    QPainter& p = begin();
    const QRectF r = cornersRect(x1, y1, x2, y2);
    p.fillRect(QRectF(r.left(), r.top(), r.width() + 1, r.height() + 1), fill);
    m_current = {x2, y2};
}

void Canvas::filledBox(double x1, double y1, double x2, double y2, QColor fill, QColor outline)
{
    filledBox(x1, y1, x2, y2, fill);
    box(x1, y1, x2, y2, outline);
}

void Canvas::circle(double cx, double cy, double r, QColor outline)
{
    QPainter& p = begin();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(penOf(outline, m_penWidth));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(cx + 0.5, cy + 0.5), r, r);
    p.setRenderHint(QPainter::Antialiasing, false);
    m_current = {cx, cy};
}

void Canvas::filledCircle(double cx, double cy, double r, QColor fill, QColor outline)
{
    QPainter& p = begin();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(penOf(outline, 1));
    p.setBrush(fill);
    p.drawEllipse(QPointF(cx + 0.5, cy + 0.5), r, r);
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    m_current = {cx, cy};
}

void Canvas::print(const QString& text)
{
    QPainter& p = begin();
    p.setFont(m_font);
    p.setPen(m_foreColor);
    const QFontMetricsF fm(m_font, &m_image);
    p.drawText(QPointF(m_current.x(), m_current.y() + fm.ascent()), text);
    m_current.setX(m_current.x() + fm.horizontalAdvance(text));
}

void Canvas::printAt(double x, double y, const QString& text)
{
    moveTo(x, y);
    print(text);
}

double Canvas::textWidth(const QString& text) const
{
    return QFontMetricsF(m_font, &m_image).horizontalAdvance(text);
}

double Canvas::textHeight(const QString&) const
{
    return QFontMetricsF(m_font, &m_image).height();
}

void Canvas::drawImage(double x, double y, const QImage& image)
{
    begin().drawImage(QPointF(x, y), image);
}

CanvasWidget::CanvasWidget(QSize logicalSize, QWidget* parent)
    : QWidget(parent), m_canvas(logicalSize)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(logicalSize);
}

QPointF CanvasWidget::toLogical(QPointF widgetPoint) const
{
    const QSize s = m_canvas.size();
    if (width() <= 0 || height() <= 0) return widgetPoint;
    return QPointF(widgetPoint.x() * s.width() / width(), widgetPoint.y() * s.height() / height()) +
           m_canvas.origin();
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(rect(), m_canvas.image());
}

} // namespace titrage
