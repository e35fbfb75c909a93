#include "bench/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace titrage::artwork {

namespace {

QImage transparentImage(QSize size, qreal ratio)
{
    ratio = std::max<qreal>(ratio, 1.0);
    QImage image(QSize(static_cast<int>(std::ceil(size.width() * ratio)),
                       static_cast<int>(std::ceil(size.height() * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

QPen inkPen(qreal width = 1.0, QColor color = kInk)
{
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A vertical metal gradient: light in the middle, darker at the edges.
QLinearGradient metalAcross(double left, double right, QColor base)
{
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, base.darker(130));
    g.setColorAt(0.4, base.lighter(140));
    g.setColorAt(1.0, base.darker(150));
    return g;
}

} // namespace

namespace {
QImage drawTap(bool open, qreal devicePixelRatio)
{
    QImage image = transparentImage(kTapSize, devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF hub(8, 12);

    // Neck of the key, coming out of the barrel on the stem.
    p.setPen(inkPen(0.8));
    p.setBrush(QColor(200, 210, 220));
    p.drawRect(QRectF(0, 9.5, 4, 5));

    // The lever: across the flow (horizontal) when closed, along it when open.
    const QRectF lever = open ? QRectF(hub.x() - 3.5, 0.7, 7, 22.6) : QRectF(2.5, 8.5, 21, 7);
    QLinearGradient g = open ? QLinearGradient(lever.left(), 0, lever.right(), 0)
                             : QLinearGradient(0, lever.top(), 0, lever.bottom());
    const QColor body = open ? QColor(40, 130, 70) : QColor(170, 40, 40);
    g.setColorAt(0.0, body.lighter(150));
    g.setColorAt(0.5, body);
    g.setColorAt(1.0, body.darker(140));
    p.setBrush(g);
    p.setPen(inkPen(1.0));
    p.drawRoundedRect(lever, 3, 3);

    // Hub with its pin.
    p.setBrush(QColor(225, 225, 230));
    p.drawEllipse(hub, 4.2, 4.2);
    p.setBrush(kInk);
    p.setPen(Qt::NoPen);
    p.drawEllipse(hub, 1.2, 1.2);
    return image;
}
} // namespace

QImage tapImage(bool open, qreal devicePixelRatio)
{
    // The tap is painted into the scene at every tick of the pouring: its two
    // pictures are kept for the last resolution asked (a shared copy).
    struct Kept {
        qreal ratio = 0;
        QImage image;
    };
    static Kept kept[2];
    Kept& k = kept[open ? 1 : 0];
    if (k.image.isNull() || k.ratio != devicePixelRatio) {
        k.image = drawTap(open, devicePixelRatio);
        k.ratio = devicePixelRatio;
    }
    return k.image;
}

QImage dropImage(qreal devicePixelRatio)
{
    QImage image = transparentImage(kDropSize, devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Pointed end at the top, round body below, centred on x = 8 so that the
    // drop falls along the stream at x = 62..63 when drawn at x = 55.
    QPainterPath path;
    path.moveTo(8, 0.8);
    path.cubicTo(9.5, 4.5, 13.4, 7.0, 13.4, 10.4);
    path.arcTo(QRectF(2.6, 5.0, 10.8, 10.4), 0, -180);
    path.cubicTo(2.6, 7.0, 6.5, 4.5, 8, 0.8);
    QLinearGradient g(3, 0, 13, 0);
    g.setColorAt(0.0, QColor(190, 220, 250));
    g.setColorAt(1.0, QColor(90, 150, 220));
    p.setBrush(g);
    p.setPen(inkPen(1.0, QColor(20, 60, 130)));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QRectF(5.0, 8.4, 2.4, 3.6));
    return image;
}

void drawStand(QPainter& p, double rodX, double benchTop, double clampY, double tubeLeft,
               double tubeRight)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(inkPen(1.0));

    // Base plate.
    const QRectF base(rodX - 12, benchTop - 8, 34, 8);
    QLinearGradient plate(0, base.top(), 0, base.bottom());
    plate.setColorAt(0, QColor(110, 115, 125));
    plate.setColorAt(1, QColor(60, 62, 70));
    p.setBrush(plate);
    p.drawRoundedRect(base, 2, 2);

    // Rod.
    const QRectF rod(rodX - 1.5, 6, 3.5, base.top() - 6);
    p.setBrush(metalAcross(rod.left(), rod.right(), kSteel));
    p.drawRect(rod);

    // Arm from the boss to the clamp.
    const QRectF arm(rodX + 3, clampY - 2, tubeLeft - 4 - (rodX + 3), 4);
    QLinearGradient armFill(0, arm.top(), 0, arm.bottom());
    armFill.setColorAt(0, kSteel.lighter(140));
    armFill.setColorAt(1, kSteel.darker(140));
    p.setBrush(armFill);
    p.drawRect(arm);

    // Boss head on the rod, with its screw.
    p.setBrush(QColor(80, 85, 95));
    p.drawRoundedRect(QRectF(rodX - 5, clampY - 7, 11, 14), 1.5, 1.5);
    p.drawRect(QRectF(rodX - 10, clampY - 1.5, 5, 3));

    // Clamp jaws around the tube, lined with cork.
    const QColor cork(200, 150, 100);
    p.setBrush(cork);
    p.drawRoundedRect(QRectF(tubeLeft - 5, clampY - 10, 5, 20), 1.5, 1.5);
    p.drawRoundedRect(QRectF(tubeRight + 1, clampY - 10, 5, 20), 1.5, 1.5);
    p.setBrush(QColor(80, 85, 95));
    p.drawRect(QRectF(tubeRight + 6, clampY - 1.5, 6, 3));
    p.restore();
}

void drawStirrer(QPainter& p, const QRectF& body)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(inkPen(1.0));
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, QColor(236, 236, 232));
    g.setColorAt(1, QColor(196, 196, 190));
    p.setBrush(g);
    p.drawRoundedRect(body, 3, 3);
    // Top plate.
    p.setBrush(QColor(150, 155, 160));
    p.drawRoundedRect(QRectF(body.left() + 2, body.top(), body.width() - 4, 4), 1, 1);
    // Speed knob and pilot light.
    const QPointF knob(body.left() + 14, body.center().y() + 3);
    p.setBrush(QColor(60, 60, 66));
    p.drawEllipse(knob, 5.5, 5.5);
    p.setPen(inkPen(1.2, Qt::white));
    p.drawLine(knob, knob + QPointF(0, -4));
    p.setPen(inkPen(0.8));
    p.setBrush(QColor(60, 190, 80));
    p.drawEllipse(QPointF(body.right() - 10, body.center().y() + 3), 2.2, 2.2);
    p.restore();
}

void drawStirBar(QPainter& p, double cx, double bottom)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(inkPen(0.8, QColor(90, 90, 90)));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(cx - 7, bottom - 3.5, 14, 3.5), 1.7, 1.7);
    p.restore();
}

void drawConductimeterCase(QPainter& p, const QRectF& body, const QRectF& display)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(inkPen(1.0));
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, QColor(246, 244, 236));
    g.setColorAt(1, QColor(210, 206, 196));
    p.setBrush(g);
    p.drawRoundedRect(body, 5, 5);

    // Display window: a dark bezel around a pale liquid-crystal face.
    p.setBrush(QColor(70, 74, 80));
    p.drawRoundedRect(display.adjusted(-3, -3, 3, 3), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 226, 204));
    p.drawRect(display);

    // Range dial and the cell socket below the name plate.
    const double dialY = body.bottom() - 22;
    const QPointF dial(body.left() + 26, dialY);
    p.setPen(inkPen(1.0));
    p.setBrush(QColor(60, 60, 66));
    p.drawEllipse(dial, 8, 8);
    p.setPen(inkPen(1.4, Qt::white));
    p.drawLine(dial, dial + QPointF(5, -5));
    p.setPen(inkPen(0.8));
    for (int i = 0; i < 5; ++i) {
        const double a = (200 - 55.0 * i) * M_PI / 180.0;
        const QPointF u(std::cos(a), -std::sin(a));
        p.drawLine(dial + 10.5 * u, dial + 13 * u);
    }
    const QPointF key(body.right() - 28, dialY);
    p.setBrush(QColor(180, 40, 40));
    p.drawRoundedRect(QRectF(key.x() - 9, key.y() - 5, 18, 10), 2, 2);
    p.restore();
}

void drawCellHead(QPainter& p, double cx, double top, double bottom, QPointF socket)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // Cable first, so the head covers its end.
    QPainterPath cable;
    cable.moveTo(cx, top + 1);
    cable.cubicTo(cx, top - 22, socket.x(), socket.y() - 60, socket.x(), socket.y());
    p.setPen(inkPen(2.4, QColor(40, 40, 40)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);

    p.setPen(inkPen(1.0));
    p.setBrush(metalAcross(cx - 5, cx + 5, QColor(60, 60, 64)));
    p.drawRoundedRect(QRectF(cx - 5, top, 10, bottom - top), 2, 2);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(socket.x() - 4, socket.y() - 2, 8, 4));
    p.restore();
}

void drawBench(QPainter& p, double width, double top, double bottom)
{
    p.save();
    // Worktop: a wooden slab with a dark front edge.
    const double slab = top + 9;
    QLinearGradient wood(0, top, 0, slab);
    wood.setColorAt(0, kBench.lighter(112));
    wood.setColorAt(1, kBench.darker(118));
    p.fillRect(QRectF(0, top, width, slab - top), wood);
    p.setPen(QPen(kBench.darker(170), 1));
    p.drawLine(QPointF(0, top + 0.5), QPointF(width, top + 0.5));
    p.drawLine(QPointF(0, slab - 0.5), QPointF(width, slab - 0.5));

    // The bench's front under it: plain, so that nothing there looks like a
    // button to click.
    QLinearGradient front(0, slab, 0, bottom);
    front.setColorAt(0, kBench.darker(112));
    front.setColorAt(1, kBench.darker(135));
    p.fillRect(QRectF(0, slab, width, bottom - slab), front);
    p.restore();
}

} // namespace titrage::artwork
