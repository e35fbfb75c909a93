#include "platform/appstyle.h"

#include "platform/canvas.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

class AppStyle : public QProxyStyle {
public:
    explicit AppStyle(const QString& base) : QProxyStyle(base) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        const qreal s = layoutScale(widget);
        return qFuzzyCompare(s, 1.0) ? base : static_cast<int>(std::lround(base * s));
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override
    {
        const QSize base = QProxyStyle::sizeFromContents(type, option, contents, widget);
        const qreal s = layoutScale(widget);
        // A menu's entry gets a padding of fixed pixels around its text: it
        // grows with the menu as the text does. Only a menu's: a combo box's
        // list asks the same for its rows, whose height is all padding and
        // follows the box's font already. The icon and shortcut columns come
        // at the menu's scale (its icons, its font) and are not grown again.
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type != CT_MenuItem || qFuzzyCompare(s, 1.0) || !item || !contents.isValid() ||
            !qobject_cast<const QMenu*>(widget))
            return base;
        QStyleOptionMenuItem design(*item);
        design.maxIconWidth = static_cast<int>(std::lround(item->maxIconWidth / s));
        design.reservedShortcutWidth =
            static_cast<int>(std::lround(item->reservedShortcutWidth / s));
        const QSize padding =
            QProxyStyle::sizeFromContents(type, &design, contents, widget) - contents;
        return contents + QSize(static_cast<int>(std::lround(padding.width() * s)),
                                static_cast<int>(std::lround(padding.height() * s)));
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        // Buttons, check boxes and radio buttons ask for this one; the
        // desktop's draws a faint line, and only after a key was used.
        if (element == PE_FrameFocusRect) {
            // Push buttons get theirs around the whole button, below.
            if (!qobject_cast<const QPushButton*>(widget))
                focusFrame(painter, option->rect, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        // Entry boxes draw their frame here, whether alone or in a spin box.
        if (element == PE_FrameLineEdit && (option->state & State_HasFocus))
            focusFrame(painter, option->rect, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if ((control == CC_ComboBox || control == CC_SpinBox) && (option->state & State_HasFocus))
            focusFrame(painter, option->rect, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && (option->state & State_HasFocus)) {
            // Just inside the button's edge, clear of its caption or picture.
            const int edge = static_cast<int>(std::lround(layoutScale(widget)));
            focusFrame(painter, option->rect.adjusted(edge, edge, -edge, -edge), widget);
        }
        // Lists, tables and text areas: the frame around their view.
        if (element == CE_ShapedFrame && (option->state & State_HasFocus) &&
            qobject_cast<const QAbstractScrollArea*>(widget))
            focusFrame(painter, option->rect, widget);
    }

private:
    static void focusFrame(QPainter* painter, const QRect& rect, const QWidget* widget)
    {
        if (rect.width() < 4 || rect.height() < 4) return;
        const qreal width = focusPenWidth(widget);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        QPen pen(kFocusColour, width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter->setPen(pen);
        const qreal inset = width / 2.0;
        painter->drawRect(QRectF(rect).adjusted(inset, inset, -inset, -inset));
        painter->restore();
    }
};

} // namespace

qreal focusPenWidth(const QWidget* widget)
{
    return std::max<qreal>(2.0, std::round(2.0 * layoutScale(widget)));
}

void useAppStyle()
{
    if (!qApp || dynamic_cast<AppStyle*>(QApplication::style())) return;
    QApplication::setStyle(new AppStyle(QApplication::style()->name()));
}

} // namespace titrage
