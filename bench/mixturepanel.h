#pragma once
// The panel of the nature "Mélange ou précipitation", over the solute and
// concentration lines of the page "Dans le bécher": up to three solutes, each
// with its concentration, and the burette's solution. The beaker's volume,
// the water and the poured volume stay the page's own boxes, the burette's
// concentration the apparatus's box. The panel only reads and shows a
// choice; the bench checks it (see feuilleP::mixture_Changed).

#include "model/mixture.h"

#include <QWidget>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace titrage {

struct Model;

class MixturePanel : public QWidget {
    Q_OBJECT

public:
    // The panel lies over `frame2`; the third nature's button joins the two
    // others there.
    explicit MixturePanel(QWidget& frame2);

    QRadioButton* nature = nullptr;                          // "Option1(2)"
    std::array<QComboBox*, kMaxMixSolutes> solutes{};        // "lmelange(0)" ...
    std::array<QLineEdit*, kMaxMixSolutes> concentrations{}; // "cmelange(0)" ...
    QComboBox* titrant = nullptr;                            // "lburette"

    // The lists, from the catalogue's names.
    void fill(const Model& catalogue);
    // The three natures side by side on their line, the panel below it.
    void layout(const std::array<QRadioButton*, 2>& natures);

    // The choice the controls show (volumes and burette apart). Nothing when
    // a concentration shown is not a number of the accepted range.
    std::optional<Mixture> mixture() const;
    // Shows `m` without emitting `edited`.
    void show(const Mixture& m);
    // "Masquer la concentration": the concentrations stay in their boxes,
    // which the bench computes from, but are neither shown nor editable, so
    // that an exercise's unknown is not read off the panel.
    void setConcentrationsMasked(bool masked);

    // The text a concentration box refuses; empty when it is accepted.
    static QString concentrationRefusal(const QString& text);

signals:
    // The student chose another solute or burette, or left a concentration.
    void edited();

private:
    std::array<QLabel*, kMaxMixSolutes> m_labels{};
    std::array<QLabel*, kMaxMixSolutes> m_units{};
    QLabel* m_titrantLabel = nullptr;
};

} // namespace titrage
