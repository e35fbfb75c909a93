#include "platform/windowicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace titrage {

QImage titrageIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0); // drawn in the 64 × 64 units of titrage.svg

    const QColor glass(0xf4, 0xf8, 0xfc);
    const QPen outline(QColor(0x33, 0x33, 0x33), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);

    // The burette, its titrant, the tap's outlet and a drop.
    p.setPen(outline);
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(27, 2, 8, 34), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6f, 0xa8, 0xdc));
    p.drawRect(QRectF(29, 16, 4, 18));
    p.setPen(outline);
    p.drawLine(QPointF(31, 36), QPointF(31, 42));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3d, 0x85, 0xc6));
    p.drawEllipse(QPointF(31, 45), 2, 2);

    // The beaker, open at the top, and the solution in it.
    QPainterPath beaker;
    beaker.moveTo(14, 40);
    beaker.lineTo(14, 60);
    beaker.lineTo(48, 60);
    beaker.lineTo(48, 40);
    p.setBrush(glass);
    p.drawPath(beaker); // filled as if closed, as an SVG path is
    p.setBrush(Qt::NoBrush);
    p.setPen(outline);
    p.drawPolyline(QPolygonF({QPointF(14, 40), QPointF(14, 60), QPointF(48, 60), QPointF(48, 40)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe6, 0xea, 0x4a));
    p.drawRect(QRectF(15, 50, 32, 9));

    // The curve beside the beaker.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0xc8), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF({QPointF(52, 58), QPointF(52, 40), QPointF(58, 34)}));
    p.end();
    return image;
}

QIcon titrageIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(titrageIconImage(size)));
    return icon;
}

} // namespace titrage
