// The graph's tools registered on the bench, the measured crosses kept over
// the model curve, the legend of superposed curves and the export of the
// table for a spreadsheet.
#include "bench/feuillep.h"
#include "bench/graphtools.h"
#include "bench/graphtoolspanel.h"
#include "bench/linestool.h"
#include "bench/parametrespage.h"
#include "bench/tableexportdialog.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "model/graphframe.h"
#include "model/tableexport.h"
#include "platform/core/safesave.h"
#include "platform/coretext.h"
#include "platform/messages.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace titrage {

namespace {
QString fromStd(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

// One line per tool, top to bottom as the panel shows them.
void feuilleP::createGraphTools()
{
    GraphToolHost& host = *this;
    Command12 = m_tools->add(std::make_unique<EraseTool>(host));
    Command9 = m_tools->add(std::make_unique<RestoreTool>(host));
    Command3 = m_tools->add(std::make_unique<DistributionTool>(host));
    image4 = m_tools->add(std::make_unique<TangentTool>(host));
    image5 = m_tools->add(std::make_unique<DerivativeTool>(host));
    auto lines = std::make_unique<LinesTool>(host);
    m_lines = lines.get();
    droites = m_tools->add(std::move(lines));
    contributions = m_tools->add(std::make_unique<ContributionsTool>(host));

    connect(Picture3->corrdilution, &QCheckBox::clicked, this, [this] {
        if (m_lines->shown()) m_lines->fitAndDraw(true);
    });
    connect(Picture3->conserver, &QCheckBox::clicked, this,
            [this] { Option2_Click(m_state.current()); });
}

void feuilleP::drawKeptPoints()
{
    const int k = m_state.current();
    if (!Picture3->conserver->isChecked() || k < 0 || m_state.maxaxe() == 0.0f) return;
    for (const MeasuredPoint& p : measuredPoints(k))
        Picture1->drawCross(p.volume, p.sigma, m_state.maxaxe(), situationColor(k));
}

void feuilleP::drawCurveLegend()
{
    if (!Picture3->Check1->isChecked()) return;
    std::vector<LegendEntry> legend;
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = m_state.store().sit[k];
        if (!s.courbefinie) continue;
        legend.push_back({situationColor(k),
                          tr("Courbe n° %1 : ").arg(k + 1) +
                              coreText("Catalogue", soluteName(m_state.model(), s)),
                          false});
    }
    if (legend.size() < 2) return;
    Canvas& c = Picture1->canvas();
    const int width = c.penWidth();
    c.setPenWidth(2);
    drawLegend(c, legend, kGraphRight - 3, kGraphTop + 3);
    c.setPenWidth(width);
    Picture1->update();
}

void feuilleP::exporterTableau()
{
    ExportSituation s;
    s.number = m_state.current() + 1;
    s.acide = acide();
    s.solute = lbecher->currentText().toStdString();
    s.concentration = Text1[BoxConcentration]->text().toStdString();
    s.masked = Picture3->masquer->isChecked();
    s.vsol = Text1[BoxVsol]->text().toStdString();
    s.veau = Text1[BoxWater]->text().toStdString();
    s.cburette = Text1[BoxBurette]->text().toStdString();
    const QString path = exportTable(*this, s, *MSFlexGrid1);
    if (!path.isEmpty()) info->setText(tr("Le tableau est exporté dans %1").arg(path));
}

} // namespace titrage
