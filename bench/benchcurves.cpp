#include "bench/benchcurves.h"

#include "bench/benchpages.h"
#include "bench/core/benchstate.h"
#include "bench/entryboxes.h"
#include "bench/graphtoolspanel.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/situationsbar.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "graph/historytext.h"
#include "graph/valuetable.h"
#include "model/graphframe.h"
#include "model/solver.h"
#include "platform/core/numberformat.h"
#include "platform/coretext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include <cmath>

namespace titrage {

BenchCurves::BenchCurves(CurvesHost& host, BenchState& state, BenchPages& pages,
                         const EntryBoxes& entries, const SituationsBar& situations,
                         QObject* parent)
    : QObject(parent), m_host(host), m_state(state), m_pages(pages), m_entries(entries),
      m_situations(situations)
{
}

void BenchCurves::valimax()
{
    // The core measures at 0 and 25 mL without touching the poured-volume box.
    m_state.valimax(m_host.entries(), m_pages.Picture3->Check1->isChecked());
}

void BenchCurves::reinitialise()
{
    GraphView& graph = *m_pages.Picture1;
    // A real restart forgets the points measured so far; switching situations
    // or options keeps them (see feuilleP::selectSituationSlot).
    m_state.restartPoints();
    valimax();
    m_pages.outils->graphRedrawn();
    m_state.setGraphetitrage(true);
    graph.setPenWidth(1);
    m_host.lockEntries(false);
    m_host.setPoured(QStringLiteral("0,0"));
    graph.setMode(m_state.graphMode());
    graph.drawFrame(m_state.maxaxe());
    // A mixture's table has the strong electrolytes' four columns; the
    // pH-meter adds its own after them.
    m_pages.MSFlexGrid1->setPhColumn(m_state.phMetre());
    m_pages.MSFlexGrid1->resetTable(
        m_state.mixture() ? 4
                          : tableColumns(m_pages.acide(), m_pages.frame2->lbecher->currentIndex()));
    graph.setPenWidth(m_pages.Picture3->Check2->isChecked() ? 2 : 1);
    redessine();
    drawImportedPoints();
    m_host.niveaubecher();
    m_host.majaff();
}

void BenchCurves::placepoint()
{
    if (m_state.maxaxe() == 0.0f || m_state.current() == -1 || !m_pages.conductimetre()) return;
    const Model& model = m_state.model();
    const std::optional<TableRow> row = m_state.measurePoint(
        m_host.entries().sigmaInputs(), m_entries.number(BoxPoured, model.vverse));
    if (!row) return;
    ValueTable& table = *m_pages.MSFlexGrid1;
    m_pages.Picture1->drawViewedPoint(model.vverse, model.sigma, pointPh(row->ph), m_state.maxaxe(),
                                      m_situations.colour(m_state.current()));
    if (model.vverse == 0.0f) startTable();
    table.appendRow(formatRow(*row, table.dataColumns(), table.phColumn()));
    m_state.recordPoint(*row);
}

std::optional<double> BenchCurves::pointPh(double ph) const
{
    if (!m_state.phMetre()) return std::nullopt;
    return ph;
}

void BenchCurves::recatab()
{
    if (m_state.current() == -1 || !m_pages.conductimetre()) return;
    Model& model = m_state.model();
    TableRow row;
    if (m_state.mixture()) {
        const auto p = m_state.measureMixture(m_host.entries().sigmaInputs(), model.vverse);
        if (!p) return;
        row = mixtureRow(*p);
    } else {
        row = makeRow(model, m_host.entries().sigmaInputs(), model.vverse);
    }
    ValueTable& table = *m_pages.MSFlexGrid1;
    if (model.vverse == 0.0f) startTable();
    table.appendRow(formatRow(row, table.dataColumns(), table.phColumn()));
}

void BenchCurves::tracecourbe()
{
    m_pages.Picture1->drawViewedCurve(m_state.walkCurrent(m_host.entries()),
                                      m_situations.colour(m_state.current()));
    drawKeptPoints();
    m_pages.outils->show();
}

void BenchCurves::redessine()
{
    historique(*m_pages.Histo, m_state.store(), m_state.model(), m_situations.colour(9));
    bool drawn = false;
    for (int n = 0; n < kSituations; ++n) {
        const bool chosen = m_situations.Option2[n]->isChecked();
        if (!m_pages.Picture3->Check1->isChecked() && !chosen) continue;
        if (!m_state.store().sit[n].courbefinie) continue;
        m_pages.Picture1->drawViewedCurve(m_state.walkFinished(n), m_situations.colour(n));
        if (chosen) {
            m_pages.outils->show();
            drawn = true;
        }
    }
    drawCurveLegend();
    loadModel(m_state.model(), m_host.entries());
    if (drawn) tabule();
}

void BenchCurves::tabule()
{
    m_host.setPoured(QString::fromStdString(formatNumber(0.0, "####0.0")));
    // The rows of the whole titration, each measured as the refresh measures
    // it; the bench is then left showing the last volume.
    const int step = m_pages.Picture3->UpDown1->value();
    const std::vector<TableRow> rows = m_state.measuredTable(m_host.entries(), step);
    if (m_state.current() != -1 && m_pages.conductimetre()) {
        ValueTable& table = *m_pages.MSFlexGrid1;
        startTable();
        for (const TableRow& row : rows)
            table.appendRow(formatRow(row, table.dataColumns(), table.phColumn()));
    }
    if (!rows.empty()) {
        m_host.setPoured(QString::fromStdString(formatNumber(rows.back().v, "####0.0")));
        m_host.majaff();
    }
}

void BenchCurves::drawKeptPoints()
{
    const int k = m_state.current();
    drawImportedPoints();
    if (!m_pages.Picture3->conserver->isChecked() || k < 0 || m_state.maxaxe() == 0.0f) return;
    for (const MeasuredPoint& p : m_state.pouredPoints(k))
        m_pages.Picture1->drawViewedPoint(p.volume, p.sigma, pointPh(p.row.ph), m_state.maxaxe(),
                                          m_situations.colour(k));
}

void BenchCurves::restoreMeasuredPoints(std::vector<MeasuredPoint> points)
{
    const int k = m_state.current();
    if (k < 0 || points.empty() || !m_pages.conductimetre() || m_state.maxaxe() == 0.0f) return;
    ValueTable& table = *m_pages.MSFlexGrid1;
    startTable();
    for (const MeasuredPoint& p : points) {
        m_pages.Picture1->drawViewedPoint(static_cast<float>(p.volume), static_cast<float>(p.sigma),
                                          pointPh(p.row.ph), m_state.maxaxe(),
                                          m_situations.colour(k));
        table.appendRow(formatRow(p.row, table.dataColumns(), table.phColumn()));
    }
    m_state.restorePoints(k, std::move(points));
}

QColor BenchCurves::importedColour()
{
    return QColor(160, 120, 0);
}

void BenchCurves::drawImportedPoints()
{
    const int k = m_state.current();
    const std::vector<MeasuredPoint>& points = m_state.importedPoints(k);
    if (points.empty() || m_state.maxaxe() == 0.0f || !m_state.graphetitrage()) return;
    GraphView& graph = *m_pages.Picture1;
    // A class's file gives sigma only: nothing of it stands on a pH axis.
    if (!showsSigma(graph.mode())) return;
    for (const MeasuredPoint& p : points)
        graph.drawImportedCross(p.volume, p.sigma, m_state.maxaxe(), importedColour());
    // In the middle of the top, where titration curves seldom pass.
    Canvas& c = graph.canvas();
    const int width = c.penWidth();
    c.setPenWidth(2);
    drawLegend(c, {{importedColour(), tr("Mesures importées"), false}}, graphX(17), kGraphTop + 3);
    c.setPenWidth(width);
    graph.update();
}

void BenchCurves::startTable()
{
    ValueTable& table = *m_pages.MSFlexGrid1;
    table.cutToHeader();
    if (!m_pages.conductimetre()) return;
    for (const MeasuredPoint& p : m_state.importedPoints(m_state.current())) {
        // V and sigma as the class wrote them, to four digits; nothing else is known.
        const bool tenths = std::fabs(p.volume * 100 - std::round(p.volume * 100)) < 1e-6;
        table.appendRow({tenths ? formatNumber(p.volume, "#0.0#") : generalFormat(p.volume),
                         generalFormat(roundSignificant(p.sigma, 4))});
        table.markLastRow(tr("Mesure importée"));
    }
}

void BenchCurves::drawCurveLegend()
{
    if (!m_pages.Picture3->Check1->isChecked()) return;
    std::vector<LegendEntry> legend;
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = m_state.store().sit[k];
        if (!s.courbefinie) continue;
        const QString beaker =
            s.mixture
                ? coreText("Catalogue", mixSoluteName(m_state.model(), s.mixture->solutes[0])) +
                      (s.mixture->soluteCount > 1 ? QStringLiteral(" + …") : QString()) +
                      QStringLiteral(" / ") +
                      coreText("Catalogue", mixTitrantName(s.mixture->titrant))
                : coreText("Catalogue", soluteName(m_state.model(), s));
        legend.push_back(
            {m_situations.colour(k), tr("Courbe n° %1 : ").arg(k + 1) + beaker, false});
    }
    if (legend.size() < 2) return;
    Canvas& c = m_pages.Picture1->canvas();
    const int width = c.penWidth();
    c.setPenWidth(2);
    drawLegend(c, legend, kGraphRight - 3, kGraphTop + 3);
    c.setPenWidth(width);
    m_pages.Picture1->update();
}

} // namespace titrage
