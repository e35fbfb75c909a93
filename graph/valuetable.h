#pragma once
// The table of values "MSFlexGrid1": one row per measurement of the current
// titration under a 42-pixel header of pictures (V1 (mL), sigma, [H3O+],
// [HO-] and, for a weak couple, [acide] and [base]).

#include <QTableWidget>

#include <string>
#include <vector>

namespace titrage {

class PictureHeader;

class ValueTable : public QTableWidget {
    Q_OBJECT

public:
    explicit ValueTable(QWidget* parent = nullptr);

    // 4 or 6 columns of equal width filling the widget (20 pixels kept for the
    // scroll bar), and the pH column after them when it is asked for, their
    // header pictures drawn, every measurement row removed.
    void resetTable(int columns);
    // The pH-meter's column, from the next resetTable on.
    void setPhColumn(bool on) { m_phColumn = on; }
    bool phColumn() const { return m_phColumn; }
    // The columns before the pH's (4 or 6).
    int dataColumns() const { return columnCount() - (m_phColumn ? 1 : 0); }
    // Keeps only the header.
    void cutToHeader();
    // A measurement row, cells as formatRow writes them (UTF-8). Missing cells
    // stay empty; cells past the last column are ignored.
    void appendRow(const std::vector<std::string>& cells);
    // Marks the last row as a class's imported measurement: its own
    // background, and `tip` over its cells.
    void markLastRow(const QString& tip);
    bool rowMarked(int measurementRow) const;

    int measurementRows() const { return rowCount(); }
    QString cellText(int measurementRow, int column) const;
    int columns() const { return columnCount(); }

    // The whole grid as text, header row first: cells separated by tabs, rows
    // by line feeds. The header row's cells are empty (its headers are pictures).
    QString contentsText() const;
    // The picture in the header cell of `column`.
    QImage headerImage(int column) const;

    // The whole table, every row, as the grid draws itself at its design
    // size, made at `devicePixelRatio` device pixels per logical pixel.
    QImage picture(qreal devicePixelRatio) const;
    // Height of a measurement row at the design size.
    int designRowHeight() const { return m_designRowHeight; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layoutColumns();
    qreal scale() const;

    PictureHeader* m_header = nullptr;
    int m_designRowHeight = 0;
    bool m_phColumn = false;
};

} // namespace titrage
