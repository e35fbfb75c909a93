#include "bench/tabstrip.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

const QColor kFace(210, 205, 200);
const QColor kLight(255, 255, 255);  // palette colour 15
const QColor kShadow(128, 128, 128); // palette colour 8
const QColor kOutline(64, 64, 64);
const QColor kEdge(150, 150, 150);
const QColor kStripBack(250, 250, 246);

// Tops of the tabs: the active one stands two units higher and opens into
// the frame under the strip.
constexpr int kActiveTop = 0;
constexpr int kTabTop = 2;
constexpr int kFrameTop = TabStrip::kTabHeight + 1;

QFont stripFont(bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8);
    f.setBold(bold);
    return f;
}

// An axis-aligned stroke one unit wide with both end points drawn.
void segment(Canvas& c, double x1, double y1, double x2, double y2, QColor color)
{
    c.filledBox(x1, y1, x2, y2, color);
}

} // namespace

TabStrip::TabStrip(QWidget* parent) : CanvasWidget(QSize(530, 17), parent)
{
    setObjectName(QStringLiteral("Onglets"));
    setMouseTracking(true);
    canvas().setBackColor(kStripBack);
    computeBounds();
    draw();
}

QStringList TabStrip::titles()
{
    // Built on each call, so that the titles follow the translator installed.
    return {tr("Dans le bécher"), tr("Graphe"), tr("Tableau de valeurs"), tr("Paramètres"),
            tr("Historique")};
}

int TabStrip::ongletactif() const
{
    return m_ongletactif == 0 ? 1 : m_ongletactif;
}

void TabStrip::setOngletactif(int k)
{
    m_ongletactif = (k >= 1 && k <= kTabs) ? k : 1;
    paintStrip();
}

void TabStrip::paintStrip()
{
    if (m_ongletactif < 1 || m_ongletactif > kTabs) m_ongletactif = 1;
    matchWidgetSize();
    computeBounds();
    draw();
    emit pageShown(m_ongletactif);
}

// Each tab gets its title's width plus a padding p on both sides, p sharing
// what the titles leave of the strip's width; the last tab ends at the edge.
void TabStrip::computeBounds()
{
    const int active = ongletactif();
    const int width = canvas().size().width();
    std::array<double, kTabs> widths{};
    double sum = 0;
    for (int k = 1; k <= kTabs; ++k) {
        canvas().setFont(stripFont(k == active));
        widths[k - 1] = canvas().textWidth(titles()[k - 1]);
        sum += widths[k - 1];
    }
    const double p = (width - sum) / 10.0;
    m_bornes[0] = -1;
    for (int k = 1; k < kTabs; ++k)
        m_bornes[k] = static_cast<int>(std::nearbyint(m_bornes[k - 1] + widths[k - 1] + 2 * p));
    m_bornes[kTabs] = width;
}

void TabStrip::draw()
{
    Canvas& c = canvas();
    const int width = c.size().width();
    const int height = c.size().height();
    const int active = ongletactif();
    c.cls();

    // The frame under the tabs, its light edge interrupted under the active tab.
    const int frameBottom = std::max(height - 1, kFrameTop);
    c.filledBox(0, kFrameTop, width - 1, frameBottom, kFace);
    segment(c, 0, kFrameTop, width - 1, kFrameTop, kLight);
    if (height - 1 > kFrameTop) {
        segment(c, 0, kFrameTop, 0, frameBottom, kLight);
        segment(c, width - 1, kFrameTop, width - 1, frameBottom, kShadow);
        segment(c, 0, frameBottom, width - 1, frameBottom, kShadow);
    }

    for (int k = 1; k <= kTabs; ++k) {
        const int left = std::max(m_bornes[k - 1] + 1, 0);
        const int right = std::min(m_bornes[k], width - 1);
        if (right - left < 4) continue;
        const bool isActive = k == active;
        const int top = isActive ? kActiveTop : kTabTop;
        const int bottom = isActive ? kFrameTop : kTabHeight;

        c.filledBox(left + 1, top + 1, right - 1, bottom, kFace);
        // Outline with cut top corners, a light edge inside it on the left and
        // top, and a shadow inside it on the right.
        segment(c, left, top + 2, left, bottom, kEdge);
        segment(c, left + 1, top + 1, left + 1, top + 1, kEdge);
        segment(c, left + 2, top, right - 2, top, kEdge);
        segment(c, right - 1, top + 1, right - 1, top + 1, kOutline);
        segment(c, right, top + 2, right, bottom, kOutline);
        segment(c, left + 1, top + 2, left + 1, bottom, kLight);
        segment(c, left + 2, top + 1, right - 2, top + 1, kLight);
        segment(c, right - 1, top + 2, right - 1, bottom, kShadow);
        if (!isActive) segment(c, left, kFrameTop, right, kFrameTop, kLight);

        c.setFont(stripFont(isActive));
        c.setForeColor(Qt::black);
        const QString title = titles()[k - 1];
        const double textX = left + (right - left - c.textWidth(title)) / 2.0;
        const double textY = top + (kTabHeight - top - c.textHeight()) / 2.0 + 0.5;
        c.printAt(std::round(textX), std::round(textY), title);
    }
    update();
}

int TabStrip::tabAt(double x, double y) const
{
    if (!(y >= 0 && y < kTabHeight)) return 0;
    for (int k = 1; k <= kTabs; ++k)
        if (m_bornes[k - 1] < x && x <= m_bornes[k]) return k;
    return 0;
}

QRect TabStrip::pageRect() const
{
    const QSize s = canvas().size();
    if (s.height() < kFrameTop + 12) return {};
    return QRect(4, kFrameTop + 4, s.width() - 8, s.height() - kFrameTop - 8);
}

void TabStrip::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = toLogical(event->position());
    const int k = tabAt(at.x(), at.y());
    if (k != 0 && k != ongletactif()) setOngletactif(k);
    event->accept();
}

void TabStrip::mouseMoveEvent(QMouseEvent* event)
{
    emit hovered();
    event->accept();
}

// The strip's logical units follow its size, one per pixel. A hidden widget
// gets its resize event only when shown, so painting checks the size too.
bool TabStrip::matchWidgetSize()
{
    // In the window's design units when it is shown larger; drawn at the
    // resolution it is shown at.
    const qreal scale = layoutScale(this);
    const QSize s = (qFuzzyCompare(scale, 1.0) ? size() : (QSizeF(size()) / scale).toSize())
                        .expandedTo(QSize(1, 1));
    if (s == canvas().size()) {
        matchDisplay();
        return false;
    }
    canvas().resize(s, std::max<qreal>(1.0, devicePixelRatioF()) * scale);
    return true;
}

// A new size lays the tabs out again and re-places the page in front.
void TabStrip::resizeEvent(QResizeEvent* event)
{
    CanvasWidget::resizeEvent(event);
    if (matchWidgetSize()) paintStrip();
}

} // namespace titrage
