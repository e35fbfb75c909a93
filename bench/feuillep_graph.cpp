// The graph side of the bench: the scale, the restart of a titration, the
// measurement points and table rows, the complete curve and the redrawing of
// the finished curves.
#include "bench/feuillep.h"
#include "bench/graphtoolspanel.h"
#include "bench/parametrespage.h"
#include "graph/graphview.h"
#include "graph/historytext.h"
#include "graph/valuetable.h"
#include "model/measurement.h"
#include "model/solver.h"
#include "platform/core/numberformat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>

#include <cmath>

namespace titrage {

void feuilleP::valimax()
{
    // The core measures at 0 and 25 mL without touching the poured-volume box.
    m_state.valimax(entries(), Picture3->Check1->isChecked());
}

void feuilleP::reinitialise()
{
    // A real restart forgets the points measured so far; switching situations
    // or options keeps them (see selectSituationSlot).
    m_state.restartPoints();
    valimax();
    m_tools->graphRedrawn();
    m_state.setGraphetitrage(true);
    Picture1->setPenWidth(1);
    lockEntries(false);
    setPoured(QStringLiteral("0,0"));
    Picture1->drawFrame(m_state.maxaxe());
    MSFlexGrid1->resetTable(tableColumns(acide(), lbecher->currentIndex()));
    Picture1->setPenWidth(Picture3->Check2->isChecked() ? 2 : 1);
    redessine();
    niveaubecher();
    majaff();
}

void feuilleP::placepoint()
{
    if (m_state.maxaxe() == 0.0f || m_state.current() == -1 || !conductimetre()) return;
    const Model& model = m_state.model();
    const std::optional<TableRow> row =
        m_state.measurePoint(entries().sigmaInputs(), boxNumber(BoxPoured, model.vverse));
    if (!row) return;
    Picture1->drawCross(model.vverse, model.sigma, m_state.maxaxe(),
                        situationColor(m_state.current()));
    if (model.vverse == 0.0f) MSFlexGrid1->cutToHeader();
    MSFlexGrid1->appendRow(formatRow(*row, MSFlexGrid1->columns()));
    m_state.recordPoint(*row);
}

void feuilleP::recatab()
{
    if (m_state.current() == -1 || !conductimetre()) return;
    Model& model = m_state.model();
    const TableRow row = makeRow(model, entries().sigmaInputs(), model.vverse);
    if (model.vverse == 0.0f) MSFlexGrid1->cutToHeader();
    MSFlexGrid1->appendRow(formatRow(row, MSFlexGrid1->columns()));
}

void feuilleP::tracecourbe()
{
    Picture1->drawCurve(m_state.walkCurrent(entries()), situationColor(m_state.current()));
    drawKeptPoints();
    outils->show();
}

void feuilleP::redessine()
{
    historique(*Histo, m_state.store(), m_state.model(), situationColor(9));
    bool drawn = false;
    for (int n = 0; n < kSituations; ++n) {
        if (!Picture3->Check1->isChecked() && !Option2[n]->isChecked()) continue;
        if (!m_state.store().sit[n].courbefinie) continue;
        Picture1->drawCurve(m_state.walkFinished(n), situationColor(n));
        if (Option2[n]->isChecked()) {
            outils->show();
            drawn = true;
        }
    }
    drawCurveLegend();
    loadModel(m_state.model(), entries());
    if (drawn) tabule();
}

void feuilleP::tabule()
{
    setPoured(QString::fromStdString(formatNumber(0.0, "####0.0")));
    // The rows of the whole titration, each measured as the refresh measures
    // it; the bench is then left showing the last volume.
    const std::vector<TableRow> rows =
        tabulate(m_state.model(), entries(), Picture3->UpDown1->value());
    if (m_state.current() != -1 && conductimetre()) {
        MSFlexGrid1->cutToHeader();
        for (const TableRow& row : rows)
            MSFlexGrid1->appendRow(formatRow(row, MSFlexGrid1->columns()));
    }
    if (!rows.empty()) {
        setPoured(QString::fromStdString(formatNumber(rows.back().v, "####0.0")));
        majaff();
    }
}

} // namespace titrage
