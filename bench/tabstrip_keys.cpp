// The tab strip from the keyboard: it takes the focus like any control, the
// arrows move to the neighbouring page, and the focused tab is outlined.
#include "bench/tabstrip.h"
#include "platform/appstyle.h"

#include <QKeyEvent>
#include <QPainter>

namespace titrage {

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    const int k = ongletactif();
    int next = k;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        next = k > 1 ? k - 1 : kTabs;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        next = k < kTabs ? k + 1 : 1;
        break;
    case Qt::Key_Home:
        next = 1;
        break;
    case Qt::Key_End:
        next = kTabs;
        break;
    default:
        CanvasWidget::keyPressEvent(event);
        return;
    }
    if (next != k) setOngletactif(next);
    event->accept();
}

void TabStrip::focusInEvent(QFocusEvent* event)
{
    CanvasWidget::focusInEvent(event);
    update();
}

void TabStrip::focusOutEvent(QFocusEvent* event)
{
    CanvasWidget::focusOutEvent(event);
    update();
}

void TabStrip::paintEvent(QPaintEvent* event)
{
    CanvasWidget::paintEvent(event);
    if (!hasFocus()) return;
    // A thick outline around the page in front, visible from the back of the room.
    const int k = ongletactif();
    const QPointF topLeft(std::max(m_bornes[k - 1] + 1, 0), 0);
    const QPointF bottomRight(std::min(m_bornes[k], canvas().size().width() - 1), kTabHeight + 2);
    const double sx = width() / static_cast<double>(std::max(1, canvas().size().width()));
    const double sy = height() / static_cast<double>(std::max(1, canvas().size().height()));
    const qreal pen = focusPenWidth(this);
    QPainter p(this);
    p.setPen(QPen(kFocusColour, pen));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(topLeft.x() * sx + pen, topLeft.y() * sy + pen / 2,
                      (bottomRight.x() - topLeft.x()) * sx - 2 * pen,
                      (bottomRight.y() - topLeft.y()) * sy - pen));
}

} // namespace titrage
