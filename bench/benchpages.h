#pragma once
// The five pages behind the tab strip: "Dans le bécher" (the parameter panel
// with its entry boxes), the graph with its tools, the table, "Paramètres"
// and the history, placed in the one page area, one shown at a time.

#include "bench/core/benchstate.h"
#include "config/configbench.h"
#include "model/situations.h"

#include <QObject>
#include <QRect>

#include <array>

class QCheckBox;
class QLineEdit;
class QPainter;
class QTextEdit;
class QWidget;

namespace titrage {

class GraphToolsPanel;
class HoverTexts;
class GraphView;
class ParameterPanel;
class ParametresPage;
class TabStrip;
class ValueTable;
struct Model;

class BenchPages : public QObject {
    Q_OBJECT

public:
    // Creates the strip and the pages on `bench`; the entry boxes of the
    // panel join it before its own controls are made.
    BenchPages(QWidget& bench, const std::array<QLineEdit*, kEntryBoxes>& entries);

    TabStrip* Onglets = nullptr;
    ParameterPanel* frame2 = nullptr;
    QWidget* graphPage = nullptr;
    GraphView* Picture1 = nullptr;
    GraphToolsPanel* outils = nullptr;
    QWidget* Picture5 = nullptr;
    ValueTable* MSFlexGrid1 = nullptr;
    ParametresPage* Picture3 = nullptr;
    QTextEdit* Histo = nullptr;

    // The strip, the pages and the panel's boxes at their places.
    void layout();
    // Page k (1 to 5) in front, the others hidden.
    void showPage(int k);
    // The status-line texts of the strip and of the pages' controls.
    void installHoverTexts(HoverTexts& hover);
    // The frame of the page area, in the window's design units.
    static void paintFrame(QPainter& p);

    // "Solution acide" is chosen.
    bool acide() const;
    // The conductimeter is on the bench.
    bool conductimetre() const;
    // The solutes of the nature chosen, the first selected.
    void fillSoluteList(const Model& model);
    void fillIndicatorList();
    // The check box a configuration saves as `box`.
    QCheckBox* configCheck(ConfigCheck box) const;
    // The panel as the solute and the mask have it: the pKa box for the
    // user-defined solute, the concentration or what stands for it.
    void refreshPanel();

    // The nature, views, mask and list positions the bench shows, for a
    // situation to store (the entry texts apart).
    BenchControls controls() const;
    // Puts a stored situation's nature, views, mask and list positions on the
    // bench, without running the controls' handlers. A concentration drawn at
    // random (`drawn`) stays masked until Label1 reveals it.
    void loadControls(const Situation& s, const Model& model, bool drawn);

private:
    std::array<QLineEdit*, kEntryBoxes> m_entries;
};

} // namespace titrage
