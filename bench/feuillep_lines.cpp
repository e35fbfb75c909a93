// The graph's tools registered on the bench, the measured crosses kept over
// the model curve, the legend of superposed curves and the export of the
// table for a spreadsheet.
#include "bench/feuillep.h"
#include "bench/graphtools.h"
#include "bench/graphtoolspanel.h"
#include "bench/linestool.h"
#include "bench/parametrespage.h"
#include "bench/tableexportdialog.h"
#include "graph/valuetable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace titrage {

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
    // "Mesures réalistes": the points measured from now on are read as the
    // series of the seed shown; the curve stays the model's.
    auto realism = [this] {
        if (!Picture3->realistes->isChecked()) {
            m_state.setScatter(std::nullopt);
            showStatus(tr("Mesures exactes : chaque point mesuré est celui du modèle"));
            return;
        }
        m_state.setScatter(ScatterSeries(static_cast<std::uint64_t>(Picture3->graine->value())));
        showStatus(tr("Mesures réalistes, graine %1 : conductimètre à 1 % de la lecture et son "
                      "dernier chiffre, burette lue à 0,05 mL")
                       .arg(Picture3->graine->value()));
    };
    connect(Picture3->realistes, &QCheckBox::toggled, this, realism);
    connect(Picture3->graine, &QSpinBox::valueChanged, this, [this, realism] {
        if (Picture3->realistes->isChecked()) realism();
    });
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
