#include "graph/valuetable.h"

#include "graph/headerpictures.h"

#include "platform/canvas.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {
const QColor kImportedRowColour(255, 230, 165); // a pale gold, as the crosses
} // namespace

// A horizontal header that shows one picture per section instead of a caption.
// The pictures are in logical pixels; shown larger, or on a denser screen, or
// rendered for a printer, they are drawn again at that resolution.
class PictureHeader : public QHeaderView {
public:
    explicit PictureHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        setFixedHeight(kHeaderHeight);
    }

    void setPictures(std::vector<QImage> pictures, int phSection)
    {
        m_pictures = std::move(pictures);
        m_phSection = phSection;
        viewport()->update();
    }
    QImage picture(int section) const
    {
        return section >= 0 && section < static_cast<int>(m_pictures.size()) ? m_pictures[section]
                                                                             : QImage();
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        painter->fillRect(rect, kHeaderBlue);
        const QImage image = picture(logicalIndex);
        if (!image.isNull()) {
            // Device pixels per logical pixel of the picture, as it lands.
            const QSizeF logical = image.deviceIndependentSize();
            const qreal ratio =
                std::abs(painter->deviceTransform().m11()) * rect.width() / logical.width();
            if (qFuzzyCompare(ratio, image.devicePixelRatio()) && rect.size() == logical.toSize())
                painter->drawImage(rect.topLeft(), image);
            else
                painter->drawImage(
                    QRectF(rect.topLeft(),
                           QSizeF(rect.width(), rect.width() * logical.height() / logical.width())),
                    headerPicture(logicalIndex == m_phSection ? kPhHeaderColumn : logicalIndex,
                                  logical.toSize(), ratio));
        }
        // The grid line between header cells.
        painter->setPen(QColor(128, 128, 128));
        painter->drawLine(rect.topRight(), rect.bottomRight());
    }

private:
    std::vector<QImage> m_pictures;
    int m_phSection = -1;
};

ValueTable::ValueTable(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("MSFlexGrid1"));
    m_header = new PictureHeader(this);
    setHorizontalHeader(m_header);
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(QFont(QStringLiteral("Arial"), 8));
    // Rows as tight as a grid's: the text and a little air.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
    m_designRowHeight = verticalHeader()->defaultSectionSize();
    resetTable(6);
}

qreal ValueTable::scale() const
{
    return layoutScale(this);
}

void ValueTable::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    // The window shown larger: rows and header grow with the text.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, verticalHeader()->defaultSectionSize());
    m_header->setFixedHeight(static_cast<int>(std::lround(kHeaderHeight * scale())));
    layoutColumns();
}

QImage ValueTable::picture(qreal devicePixelRatio) const
{
    // A copy at the design size, every row of it, none scrolled away.
    ValueTable copy;
    copy.setAttribute(Qt::WA_DontShowOnScreen);
    copy.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int logicalWidth = static_cast<int>(std::lround(width() / scale()));
    copy.resize(logicalWidth, height());
    copy.setPhColumn(m_phColumn);
    copy.resetTable(dataColumns());
    for (int r = 0; r < rowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < columnCount(); ++c)
            cells.push_back(cellText(r, c).toStdString());
        copy.appendRow(cells);
    }
    int rows = 0;
    for (int r = 0; r < copy.rowCount(); ++r)
        rows += copy.rowHeight(r);
    copy.resize(logicalWidth, kHeaderHeight + rows + 2 * copy.frameWidth());
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(copy.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    copy.render(&image);
    return image;
}

void ValueTable::resetTable(int columns)
{
    setRowCount(0);
    setColumnCount(std::clamp(columns, 1, 6) + (m_phColumn ? 1 : 0));
    layoutColumns();
}

void ValueTable::layoutColumns()
{
    const int n = columnCount();
    if (n <= 0) return;
    // In logical pixels (the window's design units), then as shown.
    const qreal s = scale();
    const int logical = std::max(1, (static_cast<int>(std::lround(this->width() / s)) - 20) / n);
    const int shown = qFuzzyCompare(s, 1.0)
                          ? logical
                          : std::max(1, static_cast<int>((this->width() - 20 * s) / n));
    std::vector<QImage> pictures;
    const int phSection = m_phColumn ? n - 1 : -1;
    for (int c = 0; c < n; ++c) {
        setColumnWidth(c, shown);
        pictures.push_back(
            headerPicture(c == phSection ? kPhHeaderColumn : c, QSize(logical, kHeaderHeight)));
    }
    m_header->setPictures(std::move(pictures), phSection);
}

void ValueTable::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) layoutColumns();
}

void ValueTable::cutToHeader()
{
    setRowCount(0);
}

void ValueTable::appendRow(const std::vector<std::string>& cells)
{
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < columnCount(); ++c) {
        auto* item = new QTableWidgetItem(
            c < static_cast<int>(cells.size()) ? QString::fromStdString(cells[c]) : QString());
        item->setTextAlignment(Qt::AlignCenter);
        setItem(row, c, item);
    }
}

void ValueTable::markLastRow(const QString& tip)
{
    const int row = rowCount() - 1;
    for (int c = 0; c < columnCount(); ++c)
        if (QTableWidgetItem* it = item(row, c)) {
            it->setBackground(kImportedRowColour);
            it->setToolTip(tip);
            it->setData(Qt::UserRole, true);
        }
}

bool ValueTable::rowMarked(int measurementRow) const
{
    const QTableWidgetItem* it = item(measurementRow, 0);
    return it && it->data(Qt::UserRole).toBool();
}

QString ValueTable::cellText(int measurementRow, int column) const
{
    const QTableWidgetItem* it = item(measurementRow, column);
    return it ? it->text() : QString();
}

QString ValueTable::contentsText() const
{
    QStringList lines;
    lines << QString(std::max(0, columnCount() - 1), QLatin1Char('\t'));
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c)
            cells << cellText(r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QImage ValueTable::headerImage(int column) const
{
    return m_header->picture(column);
}

} // namespace titrage
