#pragma once
// The parameter panel `frame2` of the page "Dans le bécher": its texts are
// painted, each item introduced by a bullet, with subscripts and exponents
// written smaller and shifted; the main window's controls sit beside them at
// the places this panel computes.

#include <QWidget>

#include <vector>

namespace titrage {

class ParameterPanel : public QWidget {
    Q_OBJECT

public:
    // A piece of a painted line: plain text, an index (lower) or an exponent (higher).
    struct Piece {
        enum Kind { Plain, Index, Exponent, Gap } kind;
        QString text;
        int gapWidth = 0; // Gap: room left for a control
    };
    enum Item { Nature, Solute, Pka, Concentration, Vsol, Water, Indicator, Poured, ItemCount };

    explicit ParameterPanel(QWidget* parent = nullptr);

    // Shows or hides the "pKa = " text (the user-defined solute is selected).
    void setPkaShown(bool shown);
    // Where the control of `item` goes (the n-th gap of its line).
    QRect controlRect(Item item, int gap = 0) const;

    static constexpr int kBoxWidth = 92;
    static constexpr int kLineHeight = 34;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Piece> pieces(Item item) const;
    QPoint lineOrigin(Item item) const;
    int pieceWidth(const Piece& piece) const;
    QFont baseFont() const;
    QFont smallFont() const;

    bool m_pkaShown = false;
};

} // namespace titrage
