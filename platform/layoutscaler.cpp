#include "platform/layoutscaler.h"

#include "platform/appstyle.h"
#include "platform/canvas.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {
const char* kScalerProperty = "layoutScaler";

// Widgets whose children are their own business (scroll areas, lists, spin
// boxes) are placed as a whole; plain frames and panels are looked into.
bool isLeaf(const QWidget* w)
{
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QLabel*>(w);
}

int scaledInt(int v, qreal s)
{
    return static_cast<int>(std::lround(v * s));
}

// The design font as shown at scale `s`. Fonts come in whole pixels: shown
// smaller, a size rounded up would make a caption wider than its control,
// which shrinks exactly, and cut its end ("magnétiqu"); below the design the
// size is rounded down instead.
QFont scaledFont(const QFont& design, qreal s)
{
    QFont f = design;
    const qreal points = design.pointSizeF();
    if (points <= 0 || qFuzzyCompare(s, 1.0)) return f;
    if (s > 1.0) {
        f.setPointSizeF(points * s);
        return f;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const int designPixels = std::max(1, QFontInfo(design).pixelSize());
    const int pixels = std::max(1, static_cast<int>(std::floor(designPixels * s + 1e-6)));
    f.setPointSizeF(pixels * 72.0 / dpi);
    return f;
}

// Pixel sizes in a style sheet grow with the window.
QString scaledStyleSheet(const QString& sheet, qreal s)
{
    if (sheet.isEmpty() || qFuzzyCompare(s, 1.0)) return sheet;
    static const QRegularExpression pixels(QStringLiteral("(\\d+)px"));
    QString out;
    qsizetype last = 0;
    for (auto it = pixels.globalMatch(sheet); it.hasNext();) {
        const auto m = it.next();
        out += sheet.mid(last, m.capturedStart() - last);
        out += QString::number(std::max(1, scaledInt(m.captured(1).toInt(), s))) +
               QStringLiteral("px");
        last = m.capturedEnd();
    }
    return out + sheet.mid(last);
}
} // namespace

LayoutScaler::LayoutScaler(QWidget* window, QSize designSize)
    : QObject(window), m_window(window), m_designSize(designSize)
{
    setObjectName(QStringLiteral("layoutScaler"));
    window->setProperty(kScalerProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    collect(window);
    window->installEventFilter(this);
    useAppStyle();
}

LayoutScaler* LayoutScaler::of(const QWidget* w)
{
    if (!w) return nullptr;
    const QWidget* top = w->window();
    return qobject_cast<LayoutScaler*>(top->property(kScalerProperty).value<QObject*>());
}

void LayoutScaler::collect(QWidget* parent)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || m_placed.contains(w)) continue;
        Placed p;
        p.widget = w;
        p.design = w->geometry();
        p.applied = p.design;
        p.leaf = isLeaf(w);
        // A group box's title is its own text, though it holds controls.
        p.ownFont = p.leaf || qobject_cast<QGroupBox*>(w);
        p.topLevelChild = parent == m_window;
        if (p.ownFont) p.font = w->font();
        if (p.leaf) {
            p.styleSheet = w->styleSheet();
            if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->icon().isNull())
                p.iconSize = b->iconSize();
        }
        m_placed.insert(w, p);
        w->installEventFilter(this);
        if (!p.leaf) collect(w);
    }
}

QRect LayoutScaler::scaled(const Placed& p) const
{
    const qreal s = m_scale;
    const QRect& d = p.design;
    // Both edges are scaled, so that neighbours stay joined.
    const int left = scaledInt(d.left(), s), top = scaledInt(d.top(), s);
    QRect r(left, top, std::max(0, scaledInt(d.left() + d.width(), s) - left),
            std::max(0, scaledInt(d.top() + d.height(), s) - top));
    if (p.topLevelChild) r.translate(m_offset);
    return r;
}

void LayoutScaler::apply(Placed& p)
{
    QWidget* w = p.widget;
    if (!w) return;
    m_applying = true;
    const QRect r = scaled(p);
    p.applied = r;
    if (w->geometry() != r) w->setGeometry(r);
    if (auto* text = qobject_cast<QTextEdit*>(w)) {
        // Rich text carries its own point sizes: it is laid out for a screen
        // as much denser as the window is larger, so every size grows alike.
        QTextDocument* doc = text->document();
        if (doc->documentLayout()->paintDevice() != m_textDevice.get()) {
            doc->documentLayout()->setPaintDevice(m_textDevice.get());
            doc->markContentsDirty(0, doc->characterCount());
        }
    } else if (p.ownFont) {
        const QFont f = scaledFont(p.font, m_scale);
        if (w->font() != f) w->setFont(f);
    }
    if (p.leaf && !qobject_cast<QTextEdit*>(w)) {
        const QString sheet = scaledStyleSheet(p.styleSheet, m_scale);
        if (w->styleSheet() != sheet) w->setStyleSheet(sheet);
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && p.iconSize.isValid())
            b->setIconSize(p.iconSize * m_scale);
    }
    m_applying = false;
}

void LayoutScaler::fit(QSize windowSize)
{
    const qreal sx = qreal(windowSize.width()) / m_designSize.width();
    const qreal sy = qreal(windowSize.height()) / m_designSize.height();
    qreal s = std::min(sx, sy);
    if (!(s > 0)) s = 1.0;
    // Within a pixel of the design size the design is shown as it is.
    if (std::abs(s - 1.0) * std::max(m_designSize.width(), m_designSize.height()) < 1.0) s = 1.0;
    const QPoint offset((windowSize.width() - scaledInt(m_designSize.width(), s)) / 2,
                        (windowSize.height() - scaledInt(m_designSize.height(), s)) / 2);
    const QPoint kept = offset.x() < 0 || offset.y() < 0 ? QPoint() : offset;
    if (qFuzzyCompare(s, m_scale) && kept == m_offset) return;
    m_scale = s;
    m_offset = kept;
    m_window->setProperty(kLayoutScaleProperty, m_scale);
    std::unique_ptr<QImage> device;
    if (!qFuzzyCompare(m_scale, 1.0)) {
        device = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = static_cast<int>(std::lround(96.0 * m_scale / 0.0254));
        device->setDotsPerMeterX(dotsPerMetre);
        device->setDotsPerMeterY(dotsPerMetre);
    }
    std::swap(device, m_textDevice); // the old one outlives its last use below
    collect(m_window);               // controls made since
    for (Placed& p : m_placed)
        apply(p);
    device.reset();
    // Sizes taken from the style are asked again.
    for (QWidget* w : m_window->findChildren<QWidget*>()) {
        if (w->isWindow()) continue;
        QEvent changed(QEvent::StyleChange);
        QApplication::sendEvent(w, &changed);
        w->update();
    }
    m_window->update();
}

QRect LayoutScaler::designGeometry(const QWidget* w) const
{
    const auto it = m_placed.constFind(w);
    return it == m_placed.constEnd() ? (w ? w->geometry() : QRect()) : it->design;
}

void LayoutScaler::setDesignGeometry(QWidget* w, const QRect& design)
{
    auto it = m_placed.find(w);
    if (it == m_placed.end()) {
        w->setGeometry(design);
        return;
    }
    it->design = design;
    apply(*it);
}

QPointF LayoutScaler::toDesign(QPointF windowPoint) const
{
    return (windowPoint - QPointF(m_offset)) / m_scale;
}

QPointF LayoutScaler::toWindow(QPointF designPoint) const
{
    return designPoint * m_scale + QPointF(m_offset);
}

bool LayoutScaler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Resize) fit(m_window->size());
        return false;
    }
    if (m_applying) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::FontChange) return false;
    auto it = m_placed.find(static_cast<QWidget*>(watched));
    if (it == m_placed.end() || !it->widget) return false;
    Placed& p = *it;
    QWidget* w = p.widget;
    if (type == QEvent::FontChange) {
        // A font set by the program is a design font.
        if (!p.ownFont) return false;
        QFont f = w->font();
        const QFont shown = scaledFont(p.font, m_scale);
        if (f == shown) return false;
        // Only the style changed (bold, say): the design size stays.
        if (f.pointSizeF() > 0)
            f.setPointSizeF(qFuzzyCompare(f.pointSizeF(), shown.pointSizeF())
                                ? p.font.pointSizeF()
                                : f.pointSizeF() / m_scale);
        p.font = f;
        apply(p);
        return false;
    }
    // The program moved or resized the control: it did so in design units.
    const QRect g = w->geometry();
    if (g == p.applied) return false;
    if (g.topLeft() != p.applied.topLeft()) p.design.moveTopLeft(g.topLeft());
    if (g.size() != p.applied.size()) p.design.setSize(g.size());
    if (qFuzzyCompare(m_scale, 1.0) && m_offset.isNull()) {
        p.applied = g;
        return false;
    }
    apply(p);
    return false;
}

} // namespace titrage
