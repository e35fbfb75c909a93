// The pH-meter beside the conductimeter, and the graph's three views: the
// conductivity, the pH, or both on one frame. Both options are the bench's
// (BenchState), not a situation's: switching situations keeps them.
#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "bench/graphtoolspanel.h"
#include "bench/parametrespage.h"
#include "graph/graphview.h"

#include <QCheckBox>
#include <QComboBox>

namespace titrage {

namespace {

// On the graph page, under the tools panel and right of the volume axis's title.
const QRect kViewChooser(436, 268, 80, 22);

} // namespace

void feuilleP::createPhControls()
{
    vuegraphe = new QComboBox(graphPage);
    vuegraphe->setObjectName(QStringLiteral("vuegraphe"));
    vuegraphe->setFont(QFont(QStringLiteral("Arial"), 8));
    // In the order of GraphMode.
    vuegraphe->addItems({tr("σ"), tr("pH"), tr("σ et pH")});
    vuegraphe->setToolTip(tr("Grandeur portée sur le graphe : conductivité, pH ou les deux"));
    vuegraphe->setAccessibleName(tr("Vue du graphe"));
    vuegraphe->setGeometry(kViewChooser);
    vuegraphe->setFocusPolicy(Qt::TabFocus);
    connect(vuegraphe, qOverload<int>(&QComboBox::activated), this,
            [this](int i) { vuegraphe_Click(i); });
    connect(Picture3->phmetre, &QCheckBox::clicked, this, [this] { phmetre_Click(); });
}

void feuilleP::phmetre_Click()
{
    m_state.setPhMetre(Picture3->phmetre->isChecked());
    imafond();
    niveaubecher();
    // The table gains or loses its pH column: the situation drawn again, as
    // "Tracer en gras" does, keeps its parameters and poured points.
    Option2_Click(m_state.current());
    if (m_state.phMetre())
        showStatus(tr("pH-mètre : la sonde plonge dans le bécher ; le tableau de valeurs a une "
                      "colonne pH"));
}

void feuilleP::vuegraphe_Click(int index)
{
    const GraphMode mode = index == 1 ? GraphMode::Ph
                           : index == 2 ? GraphMode::Both
                                        : GraphMode::Sigma;
    if (mode == m_state.graphMode()) return;
    m_state.setGraphMode(mode);
    Picture1->setMode(mode);
    m_tools->refreshTools();
    Option2_Click(m_state.current());
}

void feuilleP::phMeterChanged()
{
    if (m_state.phMetre())
        picburette->showPh(QString::fromStdString(phMeterText(m_state.measuredPh())));
}

} // namespace titrage
