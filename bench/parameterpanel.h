#pragma once
// The parameter panel `frame2` of the page "Dans le bécher": its texts are
// painted, each item introduced by a bullet, with subscripts and exponents
// written smaller and shifted; the main window's controls sit beside them at
// the places this panel computes.

#include <QWidget>

#include <array>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

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

    // The panel's own controls, named as the bench knows them.
    std::array<QRadioButton*, 2> Option1{}; // "Solution acide", "Solution basique"
    QComboBox* lbecher = nullptr;           // the solute
    QComboBox* lindic = nullptr;            // the indicator
    QPushButton* command5 = nullptr;        // "Concentration aléatoire"
    QLabel* Label1 = nullptr;               // "Afficher la concentration" over the masked box
    // Creates them, after the bench's entry boxes joined the panel.
    void createControls();
    // Puts them at their places.
    void layoutControls();

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
