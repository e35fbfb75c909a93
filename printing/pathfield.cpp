#include "printing/pathfield.h"

#include "platform/appstyle.h"

#include <QDir>
#include <QEvent>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The position of the last separator of `path` ('/' or, as typed on
// Windows, '\\'), -1 when none.
qsizetype lastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

// Pixels kept clear at each side of the text: QLineEdit's own two, and the
// focus frame the application's style draws over the box's edge.
int sidePadding(const QWidget* w)
{
    return 2 + static_cast<int>(std::ceil(focusPenWidth(w)));
}

// The widest box the field asks for: a long path does not stretch the
// dialog past what a small screen shows; it is elided instead.
constexpr int kMostChars = 60;

} // namespace

QString elidedPath(const QString& path, const QFontMetricsF& metrics, qreal width)
{
    if (metrics.horizontalAdvance(path) <= width) return path;
    const qsizetype cut = lastSeparator(path);
    const QString name = path.mid(cut + 1);
    if (cut < 0 || metrics.horizontalAdvance(kEllipsis + path.mid(cut)) > width)
        return metrics.elidedText(name, Qt::ElideMiddle, width);
    // The folders nearest the file stay as far as they fit, whole.
    const QString folder = path.left(cut);
    QString shown = kEllipsis + path.mid(cut);
    for (qsizetype at = lastSeparator(folder); at > 0; at = lastSeparator(folder.left(at))) {
        const QString longer = kEllipsis + path.mid(at);
        if (metrics.horizontalAdvance(longer) > width) break;
        shown = longer;
    }
    return shown;
}

PathField::PathField(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
}

void PathField::setPath(const QString& path)
{
    m_path = path;
    setToolTip(QDir::toNativeSeparators(path));
    updateGeometry();
    showFitted();
}

qreal PathField::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect inside = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    return inside.width() - margins.left() - margins.right() - 2 * sidePadding(this);
}

void PathField::showFitted()
{
    setText(elidedPath(m_path, QFontMetricsF(font()), textRoom()));
    // The start of what is shown, not its end, when it is all there.
    setCursorPosition(0);
}

int PathField::widthFor(const QString& text) const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QFontMetricsF fm(font());
    const int textWidth = static_cast<int>(std::ceil(fm.horizontalAdvance(text))) +
                          2 * sidePadding(this) +
                          textMargins().left() + textMargins().right();
    const QSize base = QLineEdit::sizeHint();
    const QSize contents(textWidth, base.height());
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this).width();
}

QSize PathField::sizeHint() const
{
    const QSize base = QLineEdit::sizeHint();
    const int most = static_cast<int>(std::ceil(QFontMetricsF(font()).averageCharWidth() * kMostChars));
    return {std::max(base.width(), std::min(widthFor(m_path), most)), base.height()};
}

QSize PathField::minimumSizeHint() const
{
    // The file name whole (within reason), with room for "…/" before it.
    const qsizetype cut = lastSeparator(m_path);
    const QString name = cut < 0 ? m_path : kEllipsis + m_path.mid(cut);
    const int most = static_cast<int>(std::ceil(QFontMetricsF(font()).averageCharWidth() * kMostChars));
    const QSize base = QLineEdit::minimumSizeHint();
    return {std::max(base.width(), std::min(widthFor(name), most)), base.height()};
}

void PathField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    showFitted();
}

void PathField::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        showFitted();
    }
}

} // namespace titrage
