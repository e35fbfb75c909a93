#pragma once
// Whether a painted picture shows all of its drawing, at whatever size it is
// shown: the check shared by the offscreen scale tests and the display tests.

#include "platform/canvas.h"

#include <QImage>

#include <cstdlib>

namespace titrage::testing {

// Whether a canvas shows its whole drawing at the ratio it is made at: the
// points where its drawing at the design size is flat (a 5-unit square of one
// colour) show that colour where the ratio puts them. A drawing cropped at
// its design size, or shifted, misses many of them. The share that does.
inline double flatPointsShown(const Canvas& canvas)
{
    const QImage design = canvas.renderedAt(1.0).convertToFormat(QImage::Format_RGB32);
    const QImage shown = canvas.image().convertToFormat(QImage::Format_RGB32);
    const qreal r = canvas.devicePixelRatio();
    int flat = 0, same = 0;
    for (int y = 2; y + 2 < design.height(); y += 5)
        for (int x = 2; x + 2 < design.width(); x += 5) {
            const QRgb c = design.pixel(x, y);
            bool uniform = true;
            for (int dy = -2; dy <= 2 && uniform; ++dy)
                for (int dx = -2; dx <= 2 && uniform; ++dx)
                    uniform = design.pixel(x + dx, y + dy) == c;
            if (!uniform) continue;
            ++flat;
            const QPoint at = (QPointF(x + 0.5, y + 0.5) * r).toPoint();
            if (!shown.rect().contains(at)) continue;
            const QRgb s = shown.pixel(at);
            same += std::abs(qRed(s) - qRed(c)) <= 6 && std::abs(qGreen(s) - qGreen(c)) <= 6 &&
                    std::abs(qBlue(s) - qBlue(c)) <= 6;
        }
    return flat > 0 ? double(same) / flat : 0.0;
}

} // namespace titrage::testing
