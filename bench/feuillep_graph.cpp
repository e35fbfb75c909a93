// The graph side of the bench: the scale, the restart of a titration, the
// measurement points and table rows, the complete curve and the redrawing of
// the finished curves.
#include "bench/feuillep.h"
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
    const SigmaScale scale =
        titrage::valimax(m_model, entries(), &m_store, Picture3->Check1->isChecked());
    m_sigmamax = scale.sigmamax;
    m_maxaxe = scale.maxaxe;
}

void feuilleP::reinitialise()
{
    // A real restart forgets the points measured so far; switching situations
    // or options keeps them (see selectSituationSlot).
    if (!m_keepPoints && m_store.numsit >= 0) m_points[m_store.numsit].clear();
    valimax();
    forgetLines();
    m_graphetitrage = true;
    Picture1->setPenWidth(1);
    lockEntries(false);
    setPoured(QStringLiteral("0,0"));
    Picture1->drawFrame(m_maxaxe);
    MSFlexGrid1->resetTable(tableColumns(acide(), lbecher->currentIndex()));
    Picture1->setPenWidth(Picture3->Check2->isChecked() ? 2 : 1);
    redessine();
    niveaubecher();
    majaff();
}

void feuilleP::placepoint()
{
    if (m_maxaxe == 0.0f || m_store.numsit == -1 || !conductimetre()) return;
    const SigmaInputs in = entries().sigmaInputs();
    const double typed = boxNumber(5, m_model.vverse);
    const TableRow row = makeRow(m_model, in, typed);
    if (!std::isfinite(m_model.sigma) || !std::isfinite(row.sigma)) return;
    Picture1->drawCross(m_model.vverse, m_model.sigma, m_maxaxe, situationColor(m_store.numsit));
    if (m_model.vverse == 0.0f) MSFlexGrid1->cutToHeader();
    MSFlexGrid1->appendRow(formatRow(row, MSFlexGrid1->columns()));
    if (m_keepPoints) return;
    std::vector<MeasuredPoint>& points = m_points[m_store.numsit];
    if (m_model.vverse == 0.0f) points.clear();
    points.push_back({m_model.vverse, m_model.sigma, row});
}

void feuilleP::recatab()
{
    if (m_store.numsit == -1 || !conductimetre()) return;
    const TableRow row = makeRow(m_model, entries().sigmaInputs(), m_model.vverse);
    if (m_model.vverse == 0.0f) MSFlexGrid1->cutToHeader();
    MSFlexGrid1->appendRow(formatRow(row, MSFlexGrid1->columns()));
}

void feuilleP::tracecourbe()
{
    walkCurve(m_model, entries().sigmaInputs(), m_maxaxe, m_vertices);
    Picture1->drawCurve(m_vertices, situationColor(m_store.numsit));
    drawKeptPoints();
    outils->show();
}

void feuilleP::redessine()
{
    historique(*Histo, m_store, m_model, situationColor(9));
    bool drawn = false;
    for (int n = 0; n < kSituations; ++n) {
        if (!Picture3->Check1->isChecked() && !Option2[n]->isChecked()) continue;
        const Situation& s = m_store.sit[n];
        if (!s.courbefinie) continue;
        loadModelFromSituation(m_model, s);
        walkCurve(m_model, sigmaInputsOf(s), m_maxaxe, m_vertices);
        Picture1->drawCurve(m_vertices, situationColor(n));
        if (Option2[n]->isChecked()) {
            outils->show();
            drawn = true;
        }
    }
    drawCurveLegend();
    loadModel(m_model, entries());
    if (drawn) tabule();
}

void feuilleP::tabule()
{
    setPoured(QString::fromStdString(formatNumber(0.0, "####0.0")));
    // The rows of the whole titration, each measured as the refresh measures
    // it; the bench is then left showing the last volume.
    const std::vector<TableRow> rows = tabulate(m_model, entries(), Picture3->UpDown1->value());
    if (m_store.numsit != -1 && conductimetre()) {
        MSFlexGrid1->cutToHeader();
        for (const TableRow& row : rows)
            MSFlexGrid1->appendRow(formatRow(row, MSFlexGrid1->columns()));
    }
    if (!rows.empty()) {
        setPoured(QString::fromStdString(formatNumber(rows.back().v, "####0.0")));
        majaff();
    }
}

void feuilleP::Command3_Click()
{
    Option2_Click(m_store.numsit);
    Picture1->drawDistributionFrame();
    redessine();
    Picture1->washOut();
    std::vector<DistributionVertex> forms;
    walkDistribution(m_model, acide(), forms);
    Picture1->drawDistribution(forms);
    m_graphetitrage = false;
}

void feuilleP::tangente()
{
    const Model before = m_model;
    if (Picture1->drawTangents(m_model, acide()) == TangentOutcome::Complete)
        writeTangentPoint(before);
}

void feuilleP::btderive()
{
    Picture1->drawDerivative(m_model);
}

} // namespace titrage
