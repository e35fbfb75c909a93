#include "calculator/calckey.h"

#include "platform/canvas.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace titrage {

namespace {

constexpr qreal kRadius = 4.0;
constexpr qreal kMaxPointSize = 10.0;
constexpr qreal kMinPointSize = 6.0;

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    return text;
}

} // namespace

CalcKey::CalcKey(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void CalcKey::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = isDown();
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    // A shadow under the key, then the face: lighter at the top when up,
    // the other way round while pressed.
    QPainterPath shadow;
    shadow.addRoundedRect(outer.translated(0, 1), kRadius, kRadius);
    p.fillPath(shadow, QColor(0, 0, 0, down ? 20 : 55));

    const QRectF faceRect = outer.adjusted(0, 0, 0, -1).translated(0, down ? 1 : 0);
    QLinearGradient gradient(faceRect.topLeft(), faceRect.bottomLeft());
    const QColor face = isEnabled() ? m_face : m_face.lighter(110);
    gradient.setColorAt(0, down ? face.darker(112) : face.lighter(115));
    gradient.setColorAt(0.55, face);
    gradient.setColorAt(1, down ? face.lighter(105) : face.darker(112));
    QPainterPath facePath;
    facePath.addRoundedRect(faceRect, kRadius, kRadius);
    p.fillPath(facePath, gradient);
    p.setPen(QPen(face.darker(170), 1));
    p.drawPath(facePath);
    if (underMouse() && !down) {
        p.setPen(QPen(QColor(255, 255, 255, 140), 1));
        p.drawRoundedRect(faceRect.adjusted(1, 1, -1, -1), kRadius - 1, kRadius - 1);
    }

    p.setPen(isEnabled() ? QColor(25, 25, 35) : QColor(130, 130, 130));
    if (m_glyph == Glyph::Backspace) {
        drawBackspace(p, faceRect);
    } else {
        drawCaption(p, faceRect);
    }
}

// The caption in bold Arial, shrunk until it fits the face; a superscript is
// drawn smaller and raised after it. A two-word caption that would have to
// shrink much ("INV SIN") goes on two lines, the first word small above.
void CalcKey::drawCaption(QPainter& p, const QRectF& area) const
{
    const QString caption = text();
    // Point sizes are the design's, grown with the window the key is shown in.
    const qreal s = layoutScale(this);
    const qreal room = area.width() - 6 * s;
    QFont base(QStringLiteral("Arial"));
    base.setBold(true);

    auto fitted = [&](const QString& shown, const QString& raised, qreal from) {
        QFont f = base;
        for (qreal size = from;; size -= 0.5 * s) {
            f.setPointSizeF(size);
            QFont small = f;
            small.setPointSizeF(size * 0.7);
            const qreal w =
                QFontMetricsF(f).horizontalAdvance(shown) +
                (raised.isEmpty() ? 0 : QFontMetricsF(small).horizontalAdvance(raised) + 1);
            if (w <= room || size <= kMinPointSize * s) return f;
        }
    };

    const int blank = caption.indexOf(QLatin1Char(' '));
    QFont font = fitted(withoutMnemonic(caption), m_superscript, kMaxPointSize * s);
    if (blank > 0 && font.pointSizeF() < 8 * s && m_superscript.isEmpty()) {
        const QString upper = caption.left(blank);
        const QString lower = caption.mid(blank + 1);
        QFont small = base;
        small.setPointSizeF(6.5 * s);
        const QFont big = fitted(withoutMnemonic(lower), {}, (kMaxPointSize - 1) * s);
        const QFontMetricsF ms(small);
        const QFontMetricsF mb(big);
        const qreal total = ms.ascent() + mb.ascent() + 1;
        const qreal top = area.center().y() - total / 2;
        p.setFont(small);
        p.drawText(QRectF(area.left(), top, area.width(), ms.height()),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, upper);
        p.setFont(big);
        p.drawText(QRectF(area.left(), top + ms.ascent() + 1, area.width(), mb.height()),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, lower);
        return;
    }

    const QString shown = withoutMnemonic(caption);
    QFont raised = font;
    raised.setPointSizeF(font.pointSizeF() * 0.7);
    const QFontMetricsF metrics(font);
    const qreal baseWidth = metrics.horizontalAdvance(shown);
    const qreal raisedWidth =
        m_superscript.isEmpty() ? 0 : QFontMetricsF(raised).horizontalAdvance(m_superscript) + 1;
    const qreal left = area.center().x() - (baseWidth + raisedWidth) / 2;
    const qreal baseline = area.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    p.setFont(font);
    const QRectF textRect(left, baseline - metrics.ascent(), baseWidth + 2, metrics.height());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, caption);
    if (!m_superscript.isEmpty()) {
        p.setFont(raised);
        p.drawText(QPointF(left + baseWidth + 1, baseline - metrics.ascent() * 0.45),
                   m_superscript);
    }
}

// The erase key: an arrow-shaped tag pointing left with a cross inside.
void CalcKey::drawBackspace(QPainter& p, const QRectF& area) const
{
    const qreal h = qMin(area.height() * 0.5, 14.0);
    const qreal w = h * 1.7;
    const QPointF c = area.center();
    const qreal x0 = c.x() - w / 2;
    const qreal y0 = c.y() - h / 2;
    QPainterPath tag;
    tag.moveTo(x0, c.y());
    tag.lineTo(x0 + h / 2, y0);
    tag.lineTo(x0 + w, y0);
    tag.lineTo(x0 + w, y0 + h);
    tag.lineTo(x0 + h / 2, y0 + h);
    tag.closeSubpath();
    QPen pen(p.pen().color(), 1.4);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tag);
    const qreal cx = x0 + h / 2 + (w - h / 2) / 2;
    const qreal r = h * 0.22;
    p.drawLine(QPointF(cx - r, c.y() - r), QPointF(cx + r, c.y() + r));
    p.drawLine(QPointF(cx - r, c.y() + r), QPointF(cx + r, c.y() - r));
}

} // namespace titrage
