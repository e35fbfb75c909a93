#include "graph/valuetable.h"

#include "graph/headerpictures.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace titrage {

// A horizontal header that shows one picture per section instead of a caption.
class PictureHeader : public QHeaderView {
public:
    explicit PictureHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        setFixedHeight(kHeaderHeight);
    }

    void setPictures(std::vector<QImage> pictures)
    {
        m_pictures = std::move(pictures);
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
        if (!image.isNull()) painter->drawImage(rect.topLeft(), image);
        // The grid line between header cells.
        painter->setPen(QColor(128, 128, 128));
        painter->drawLine(rect.topRight(), rect.bottomRight());
    }

private:
    std::vector<QImage> m_pictures;
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
    resetTable(6);
}

void ValueTable::resetTable(int columns)
{
    setRowCount(0);
    setColumnCount(std::clamp(columns, 1, 6));
    layoutColumns();
}

void ValueTable::layoutColumns()
{
    const int n = columnCount();
    if (n <= 0) return;
    const int width = std::max(1, (this->width() - 20) / n);
    std::vector<QImage> pictures;
    for (int c = 0; c < n; ++c) {
        setColumnWidth(c, width);
        pictures.push_back(headerPicture(c, QSize(width, kHeaderHeight)));
    }
    m_header->setPictures(std::move(pictures));
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
