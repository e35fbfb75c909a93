#include "platform/canvas.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace titrage {

void scaleToDeviceRatio(QPainter& p)
{
    const qreal ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    if (!(ratio > 0) || ratio >= 1.0) return;
    // Qt scales a painter up for a dense device but never down: on an image
    // made smaller than its logical size the drawing would keep its logical
    // size and be cropped. Pictures drawn in it are shrunk smoothly.
    p.scale(ratio, ratio);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

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
    m_image = blankImage(m_ratio);
    m_background = QImage();
    m_image.fill(m_backColor);
    m_backgroundSteps.clear(m_backColor);
    m_live.clear(m_backColor);
    m_liveOnBackground = false;
    markAllChanged();
}

void Canvas::markAllChanged()
{
    m_liveBounds = whole();
    m_changed = whole();
}

QRectF Canvas::takeChanged()
{
    const QRectF r = m_changed;
    m_changed = QRectF();
    return r;
}

QImage Canvas::blankImage(qreal ratio) const
{
    QImage image(m_size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

void Canvas::setDevicePixelRatio(qreal devicePixelRatio)
{
    if (!(devicePixelRatio > 0) || qFuzzyCompare(devicePixelRatio, m_ratio)) return;
    flush();
    m_ratio = devicePixelRatio;
    if (!m_background.isNull()) {
        m_background = blankImage(m_ratio);
        m_background.fill(m_backgroundSteps.fill);
        replay(m_background, m_backgroundSteps);
    }
    if (m_liveOnBackground && !m_background.isNull()) {
        m_image = m_background.copy();
    } else {
        m_image = blankImage(m_ratio);
        m_image.fill(m_live.fill);
    }
    replay(m_image, m_live);
    markAllChanged();
}

QImage Canvas::renderedAt(qreal devicePixelRatio) const
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image = blankImage(ratio);
    if (m_liveOnBackground && !m_background.isNull()) {
        image.fill(m_backgroundSteps.fill);
        replay(image, m_backgroundSteps);
    } else {
        image.fill(m_live.fill);
    }
    replay(image, m_live);
    return image;
}

void Canvas::replay(QImage& image, const Record& record) const
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    scaleToDeviceRatio(p);
    p.translate(-m_origin);
    for (const Step& step : record.steps)
        run(p, step, record);
}

void Canvas::append(Record& into, const Record& from)
{
    for (Step step : from.steps) {
        switch (step.kind) {
        case Step::Kind::Text:
            step.index += static_cast<int>(into.texts.size());
            break;
        case Step::Kind::Image:
            step.index += static_cast<int>(into.images.size());
            break;
        case Step::Kind::Paint:
            step.index += static_cast<int>(into.paints.size());
            break;
        default:
            break;
        }
        into.steps.push_back(step);
    }
    into.texts.insert(into.texts.end(), from.texts.begin(), from.texts.end());
    into.images.insert(into.images.end(), from.images.begin(), from.images.end());
    into.paints.insert(into.paints.end(), from.paints.begin(), from.paints.end());
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
        scaleToDeviceRatio(*m_painter);
        m_painter->translate(-m_origin);
    }
    return *m_painter;
}

void Canvas::add(Step step, const QRectF& bounds)
{
    step.merge = m_merge;
    step.pen = m_penWidth;
    run(begin(), step, m_live);
    m_live.steps.push_back(step);
    // A unit of margin for antialiased edges and wide pens.
    const bool finite = std::isfinite(bounds.x()) && std::isfinite(bounds.y()) &&
                        std::isfinite(bounds.width()) && std::isfinite(bounds.height());
    const QRectF r =
        (finite ? bounds : whole())
            .normalized()
            .adjusted(-m_penWidth - 1, -m_penWidth - 1, m_penWidth + 1, m_penWidth + 1);
    m_liveBounds |= r;
    m_changed |= r;
}

void Canvas::paint(std::function<void(QPainter&)> step)
{
    paint(std::move(step), whole());
}

void Canvas::paint(std::function<void(QPainter&)> step, const QRectF& bounds)
{
    Step s;
    s.kind = Step::Kind::Paint;
    s.index = static_cast<int>(m_live.paints.size());
    m_live.paints.push_back(std::move(step));
    add(s, bounds);
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
    // Only what the live steps drew differs from what clearing gives back.
    const QRectF drawn = m_liveBounds & whole();
    const QRect device = QRectF((drawn.topLeft() - m_origin) * m_ratio, drawn.size() * m_ratio)
                             .toAlignedRect()
                             .intersected(m_image.rect());
    const bool onBackground = !m_background.isNull();
    const bool consistent =
        onBackground ? m_liveOnBackground : !m_liveOnBackground && m_live.fill == m_backColor;
    const bool partial = consistent && drawn != whole();
    if (!partial) {
        if (onBackground)
            m_image = m_background.copy();
        else
            m_image.fill(m_backColor);
        m_changed = whole();
    } else if (!drawn.isEmpty() && !device.isEmpty()) {
        const QRgb fill = m_backColor.rgb();
        for (int y = device.top(); y <= device.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y)) + device.left();
            if (onBackground)
                std::copy_n(reinterpret_cast<const QRgb*>(m_background.constScanLine(y)) +
                                device.left(),
                            device.width(), line);
            else
                std::fill_n(line, device.width(), fill);
        }
        m_changed |= drawn;
    }
    if (onBackground) {
        m_live.clear(m_backgroundSteps.fill);
        m_liveOnBackground = true;
    } else {
        m_live.clear(m_backColor);
        m_liveOnBackground = false;
    }
    m_liveBounds = QRectF();
    m_current = {0, 0};
}

void Canvas::keepAsBackground()
{
    flush();
    if (m_liveOnBackground && !m_background.isNull()) {
        append(m_backgroundSteps, m_live);
    } else {
        m_backgroundSteps = m_live;
    }
    m_background = m_image.copy();
    m_live.clear(m_backgroundSteps.fill);
    m_liveOnBackground = true;
    m_liveBounds = QRectF();
}

void Canvas::dropBackground()
{
    if (m_liveOnBackground && !m_background.isNull()) {
        // What is on the image keeps its steps: those of the background first.
        Record live = m_backgroundSteps;
        append(live, m_live);
        m_live = std::move(live);
    }
    m_liveOnBackground = false;
    m_background = QImage();
    m_backgroundSteps.clear(m_backColor);
    m_liveBounds = whole();
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

// Whether a unit of `p` is less than a device pixel either way (the picture
// drawn smaller than its design).
bool shownSmaller(const QPainter& p)
{
    const QTransform toDevice = p.deviceTransform();
    return toDevice.m11() < 1.0 || toDevice.m22() < 1.0;
}

// The pen of a stroke `width` units wide on `p`. Shown smaller than its
// design, a one-unit stroke would be thinner than a device pixel and come out
// grey: it keeps one whole pixel, as the strokes of fillUnits do.
QPen strokeOf(const QPainter& p, QColor color, int width)
{
    QPen pen = penOf(color, width);
    if (width == 1 && shownSmaller(p)) pen.setCosmetic(true);
    return pen;
}

// Pixel-grid rectangle between two corners, both included.
QRectF cornersRect(double x1, double y1, double x2, double y2)
{
    const double left = std::min(x1, x2);
    const double top = std::min(y1, y2);
    return {left, top, std::max(x1, x2) - left, std::max(y1, y2) - top};
}

// A filled rectangle in logical units. Shown smaller than its design, a unit
// is less than a device pixel, and a stroke one unit wide would fall between
// pixel centres and vanish (a grid line, a wall of the beaker): below one
// device pixel per unit the rectangle's edges are rounded to whole pixels and
// it keeps at least one of them each way, so that neighbours still join.
void fillUnits(QPainter& p, const QRectF& r, QColor color)
{
    const QTransform toDevice = p.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || !shownSmaller(p)) {
        p.fillRect(r, color);
        return;
    }
    const QRectF d = toDevice.mapRect(r);
    const auto edge = [](qreal v) {
        return static_cast<int>(std::lround(std::clamp(v, -1e7, 1e7)));
    };
    const int left = edge(d.left()), top = edge(d.top());
    const int right = std::max(left + 1, edge(d.right()));
    const int bottom = std::max(top + 1, edge(d.bottom()));
    p.save();
    // Device pixels: undo the painter's own transforms, keep the device's.
    p.setWorldTransform(toDevice.inverted() * p.worldTransform());
    p.fillRect(QRect(left, top, right - left, bottom - top), color);
    p.restore();
}

// One-unit strokes are rasterised here, unit for unit, the way the picture
// boxes drew them: from the first end point up to, but not including, the
// last one, so that a chain of lines joins without drawing a shared point
// twice (which matters with the merge pen).
void thinLine(QPainter& p, double x1, double y1, double x2, double y2, QColor color)
{
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
            fillUnits(p, QRectF(left, top, right - left + 1, bottom - top + 1), color);
        return;
    }
    long err = dx + dy;
    while (x != xEnd || y != yEnd) {
        fillUnits(p, QRectF(x, y, 1, 1), color);
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
} // namespace

namespace {
qreal deviceRatio(const QPainter& p)
{
    return p.device() ? p.device()->devicePixelRatioF() : 1.0;
}
} // namespace

// The one place where a step reaches a painter, live or replayed.
void Canvas::run(QPainter& p, const Step& s, const Record& record)
{
    p.setCompositionMode(s.merge ? QPainter::RasterOp_SourceOrDestination
                                 : QPainter::CompositionMode_SourceOver);
    switch (s.kind) {
    case Step::Kind::Point:
        fillUnits(p, QRectF(s.x1 - (s.pen - 1) / 2.0, s.y1 - (s.pen - 1) / 2.0, s.pen, s.pen),
                  s.colour);
        break;
    case Step::Kind::Line:
        if (s.pen == 1 && (s.merge || s.x1 == s.x2 || s.y1 == s.y2 || deviceRatio(p) == 1.0)) {
            thinLine(p, s.x1, s.y1, s.x2, s.y2, s.colour);
        } else if (s.pen == 1) {
            // A slanting stroke drawn finer than the units' staircase.
            QPen pen = strokeOf(p, s.colour, 1);
            pen.setCapStyle(Qt::RoundCap);
            p.setPen(pen);
            p.drawLine(QPointF(s.x1 + 0.5, s.y1 + 0.5), QPointF(s.x2 + 0.5, s.y2 + 0.5));
        } else {
            p.setPen(penOf(s.colour, s.pen));
            // Offsets of half a unit put the strokes on the pixel grid.
            p.drawLine(QPointF(s.x1 + 0.5, s.y1 + 0.5), QPointF(s.x2 + 0.5, s.y2 + 0.5));
        }
        break;
    case Step::Kind::Box:
        p.setPen(strokeOf(p, s.colour, s.pen));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cornersRect(s.x1, s.y1, s.x2, s.y2).translated(0.5, 0.5));
        break;
    case Step::Kind::FilledBox: {
        const QRectF r = cornersRect(s.x1, s.y1, s.x2, s.y2);
        fillUnits(p, QRectF(r.left(), r.top(), r.width() + 1, r.height() + 1), s.colour);
        break;
    }
    case Step::Kind::Circle:
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(strokeOf(p, s.colour, s.pen));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(s.x1 + 0.5, s.y1 + 0.5), s.x2, s.x2);
        p.setRenderHint(QPainter::Antialiasing, false);
        break;
    case Step::Kind::FilledCircle:
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(strokeOf(p, s.colour2, 1));
        p.setBrush(s.colour);
        p.drawEllipse(QPointF(s.x1 + 0.5, s.y1 + 0.5), s.x2, s.x2);
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, false);
        break;
    case Step::Kind::Text: {
        const Text& t = record.texts[static_cast<std::size_t>(s.index)];
        p.setFont(t.font);
        p.setPen(s.colour);
        p.drawText(QPointF(s.x1, s.y1), t.text);
        break;
    }
    case Step::Kind::Image:
        p.drawImage(QPointF(s.x1, s.y1), record.images[static_cast<std::size_t>(s.index)]);
        break;
    case Step::Kind::Paint:
        p.save();
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        record.paints[static_cast<std::size_t>(s.index)](p);
        p.restore();
        break;
    }
}

void Canvas::pset(double x, double y, QColor color)
{
    Step s;
    s.kind = Step::Kind::Point;
    s.x1 = x;
    s.y1 = y;
    s.colour = color;
    add(s, QRectF(x, y, 1, 1));
    m_current = {x, y};
}

void Canvas::line(double x1, double y1, double x2, double y2, QColor color)
{
    Step s;
    s.kind = Step::Kind::Line;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.colour = color;
    add(s, QRectF(QPointF(x1, y1), QPointF(x2 + 1, y2 + 1)));
    m_current = {x2, y2};
}

void Canvas::lineTo(double x, double y, QColor color)
{
    line(m_current.x(), m_current.y(), x, y, color);
}

void Canvas::box(double x1, double y1, double x2, double y2, QColor outline)
{
    Step s;
    s.kind = Step::Kind::Box;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.colour = outline;
    add(s, QRectF(QPointF(x1, y1), QPointF(x2 + 1, y2 + 1)));
    m_current = {x2, y2};
}

void Canvas::filledBox(double x1, double y1, double x2, double y2, QColor fill)
{
    Step s;
    s.kind = Step::Kind::FilledBox;
    s.x1 = x1;
    s.y1 = y1;
    s.x2 = x2;
    s.y2 = y2;
    s.colour = fill;
    add(s, QRectF(QPointF(x1, y1), QPointF(x2 + 1, y2 + 1)));
    m_current = {x2, y2};
}

void Canvas::filledBox(double x1, double y1, double x2, double y2, QColor fill, QColor outline)
{
    filledBox(x1, y1, x2, y2, fill);
    box(x1, y1, x2, y2, outline);
}

void Canvas::circle(double cx, double cy, double r, QColor outline)
{
    Step s;
    s.kind = Step::Kind::Circle;
    s.x1 = cx;
    s.y1 = cy;
    s.x2 = r;
    s.colour = outline;
    add(s, QRectF(cx - r, cy - r, 2 * r + 1, 2 * r + 1));
    m_current = {cx, cy};
}

void Canvas::filledCircle(double cx, double cy, double r, QColor fill, QColor outline)
{
    Step s;
    s.kind = Step::Kind::FilledCircle;
    s.x1 = cx;
    s.y1 = cy;
    s.x2 = r;
    s.colour = fill;
    s.colour2 = outline;
    add(s, QRectF(cx - r, cy - r, 2 * r + 1, 2 * r + 1));
    m_current = {cx, cy};
}

void Canvas::print(const QString& text)
{
    const QFontMetricsF fm(m_font, &m_image);
    Step s;
    s.kind = Step::Kind::Text;
    s.x1 = m_current.x();
    s.y1 = m_current.y() + fm.ascent();
    s.colour = m_foreColor;
    s.index = static_cast<int>(m_live.texts.size());
    m_live.texts.push_back({m_font, text});
    add(s, fm.boundingRect(text).translated(s.x1, s.y1).adjusted(-2, -2, 2, 2));
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
    Step s;
    s.kind = Step::Kind::Image;
    s.x1 = x;
    s.y1 = y;
    s.index = static_cast<int>(m_live.images.size());
    m_live.images.push_back(image);
    add(s, QRectF(QPointF(x, y), image.deviceIndependentSize()));
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

qreal layoutScale(const QWidget* w)
{
    if (!w) return 1.0;
    bool ok = false;
    const qreal s = w->window()->property(kLayoutScaleProperty).toReal(&ok);
    return ok && s > 0 ? s : 1.0;
}

qreal CanvasWidget::displayRatio() const
{
    const QSize s = m_canvas.size();
    const qreal dpr = std::max<qreal>(1.0, devicePixelRatioF());
    if (width() <= 0 || s.width() <= 0) return dpr;
    // Shown at its own size the canvas keeps exactly the screen's ratio.
    if (width() == s.width()) return dpr;
    return dpr * width() / s.width();
}

void CanvasWidget::matchDisplay()
{
    m_canvas.setDevicePixelRatio(displayRatio());
}

void CanvasWidget::updateChanged()
{
    const QRectF changed = m_canvas.takeChanged();
    const QSize s = m_canvas.size();
    if (changed.isEmpty() || s.isEmpty()) return;
    const qreal kx = qreal(width()) / s.width(), ky = qreal(height()) / s.height();
    const QRectF r = changed.translated(-m_canvas.origin());
    update(QRectF(r.x() * kx, r.y() * ky, r.width() * kx, r.height() * ky)
               .toAlignedRect()
               .adjusted(-1, -1, 1, 1));
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    matchDisplay();
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QImage& image = m_canvas.image();
    // Only the exposed part, from the same part of the picture.
    const QRect target = event->rect().intersected(rect());
    const qreal kx = qreal(image.width()) / std::max(1, width());
    const qreal ky = qreal(image.height()) / std::max(1, height());
    p.drawImage(
        target, image,
        QRectF(target.x() * kx, target.y() * ky, target.width() * kx, target.height() * ky));
}

} // namespace titrage
