#include "bench/benchpages.h"

#include "bench/core/indicators.h"
#include "bench/graphtoolspanel.h"
#include "bench/hovertexts.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "model/model.h"
#include "platform/coretext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace titrage {

namespace {
const QRect kStripRect(268, 6, 524, 20);
const QRect kPageRect(272, 30, 516, 292);
} // namespace

BenchPages::BenchPages(QWidget& bench, const std::array<QLineEdit*, kEntryBoxes>& entries)
    : QObject(&bench), m_entries(entries)
{
    Onglets = new TabStrip(&bench);

    frame2 = new ParameterPanel(&bench);
    for (EntryBox box : {BoxConcentration, BoxPka, BoxSpare, BoxVsol, BoxPoured, BoxWater})
        entries[box]->setParent(frame2);
    entries[BoxSpare]->hide(); // the spare entry stays outside the visible panel
    frame2->createControls();

    graphPage = new QWidget(&bench);
    graphPage->setObjectName(QStringLiteral("graphPage"));
    graphPage->setAutoFillBackground(true);
    Picture1 = new GraphView(graphPage);
    Picture1->setMouseTracking(true);
    // Its buttons come with the tools the bench registers.
    outils = new GraphToolsPanel(graphPage);
    outils->hide();

    Picture5 = new QWidget(&bench);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    MSFlexGrid1 = new ValueTable(Picture5);

    Picture3 = new ParametresPage(&bench);

    Histo = new QTextEdit(&bench);
    Histo->setObjectName(QStringLiteral("Histo"));
    Histo->setReadOnly(true);
}

void BenchPages::layout()
{
    Onglets->setGeometry(kStripRect);
    for (QWidget* page : {static_cast<QWidget*>(frame2), graphPage, Picture5,
                          static_cast<QWidget*>(Picture3), static_cast<QWidget*>(Histo)})
        page->setGeometry(kPageRect);
    MSFlexGrid1->setGeometry(0, 0, kPageRect.width(), kPageRect.height());
    Picture1->move(0, 0);
    // The tool panel stands right of the 25 mL line, above the abscissa title.
    outils->setGeometry(kPageRect.width() - 80, 0, 80, 244);

    frame2->setPkaShown(false);
    frame2->layoutControls();
    m_entries[BoxPka]->setGeometry(frame2->controlRect(ParameterPanel::Pka));
    m_entries[BoxConcentration]->setGeometry(frame2->controlRect(ParameterPanel::Concentration));
    m_entries[BoxVsol]->setGeometry(frame2->controlRect(ParameterPanel::Vsol));
    m_entries[BoxWater]->setGeometry(frame2->controlRect(ParameterPanel::Water));
    m_entries[BoxPoured]->setGeometry(frame2->controlRect(ParameterPanel::Poured));
    m_entries[BoxSpare]->setGeometry(-200, -200, 10, 10);
}

void BenchPages::showPage(int k)
{
    QWidget* pages[5] = {frame2, graphPage, Picture5, Picture3, Histo};
    for (int i = 0; i < 5; ++i)
        pages[i]->setVisible(i + 1 == k);
    if (k >= 1 && k <= 5) pages[k - 1]->raise();
}

void BenchPages::installHoverTexts(HoverTexts& hover)
{
    hover.add(Picture3->masquer, tr("Utiliser cette option pour cacher la concentration."));
    hover.add(Picture3->reelles, tr("Conductivités molaires selon la force ionique et activités "
                                    "dans les équilibres, comme en classe (voir l'aide)"));
    hover.add(Picture3->temperature,
              tr("Température de la solution, de 15 à 30 °C : conductivités molaires et "
                 "produit ionique de l'eau à cette température"));
    hover.add(frame2->command5, [masquer = Picture3->masquer]() -> std::optional<QString> {
        return masquer->isChecked()
                   ? tr("Afficher la concentration en soluté apporté")
                   : tr("Ce bouton permet d'obtenir une concentration aléatoire en soluté apporté");
    });
    hover.add(Onglets, []() -> std::optional<QString> {
        return tr("Cliquer sur un onglet pour l'afficher");
    });
}

void BenchPages::paintFrame(QPainter& p)
{
    p.setPen(QColor(128, 128, 128));
    p.setBrush(QColor(210, 205, 200));
    p.drawRect(kPageRect.adjusted(-4, -4, 3, 3));
}

bool BenchPages::acide() const
{
    return !frame2->Option1[1]->isChecked();
}

bool BenchPages::conductimetre() const
{
    return Picture3->optscema[1]->isChecked();
}

void BenchPages::fillSoluteList(const Model& model)
{
    QComboBox* list = frame2->lbecher;
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& name : solutenames(model, acide()))
        list->addItem(coreText("Catalogue", name));
    list->setCurrentIndex(0);
}

void BenchPages::fillIndicatorList()
{
    QComboBox* list = frame2->lindic;
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& name : indicatorNames())
        list->addItem(coreText("Indicators", name));
    list->setCurrentIndex(0);
}

QCheckBox* BenchPages::configCheck(ConfigCheck box) const
{
    return box == ConfigCheck::Masquer  ? Picture3->masquer
           : box == ConfigCheck::Check1 ? Picture3->Check1
                                        : Picture3->Check2;
}

void BenchPages::refreshPanel()
{
    const bool other = frame2->lbecher->currentIndex() == kOtherPosition;
    const bool masked = Picture3->masquer->isChecked();
    frame2->setPkaShown(other);
    m_entries[BoxPka]->setVisible(other);
    m_entries[BoxConcentration]->setVisible(!masked);
    frame2->Label1->setVisible(masked);
    frame2->command5->setVisible(!masked);
    outils->refreshTools();
    frame2->update();
}

BenchControls BenchPages::controls() const
{
    BenchControls c;
    c.acide = acide();
    c.burette = Picture3->optscema[0]->isChecked();
    c.conductimetre = conductimetre();
    c.masked = Picture3->masquer->isChecked();
    c.solute = frame2->lbecher->currentIndex();
    c.indicator = frame2->lindic->currentIndex();
    return c;
}

void BenchPages::loadControls(const Situation& s, const Model& model, bool drawn)
{
    const auto& nature = frame2->Option1;
    const bool natureChanged = acide() != s.optsit[1];
    {
        const QSignalBlocker b0(nature[0]);
        const QSignalBlocker b1(nature[1]);
        nature[s.optsit[1] ? 0 : 1]->setChecked(true);
    }
    QComboBox* solutes = frame2->lbecher;
    QComboBox* indicators = frame2->lindic;
    if (natureChanged || solutes->count() == 0) fillSoluteList(model);
    {
        const QSignalBlocker b0(Picture3->optscema[0]);
        const QSignalBlocker b1(Picture3->optscema[1]);
        const QSignalBlocker b2(Picture3->masquer);
        Picture3->optscema[0]->setChecked(s.optsit[2]);
        Picture3->optscema[1]->setChecked(s.optsit[3]);
        Picture3->masquer->setChecked(s.optsit[4]);
        Picture3->masquer->setEnabled(!(drawn && s.optsit[4]));
    }
    {
        const QSignalBlocker b0(solutes);
        const QSignalBlocker b1(indicators);
        const int solute = s.listesit[1];
        const int indicator = s.listesit[2];
        solutes->setCurrentIndex(solute >= 0 && solute < solutes->count() ? solute : 0);
        indicators->setCurrentIndex(indicator >= 0 && indicator < indicators->count() ? indicator
                                                                                      : 0);
    }
    refreshPanel();
}

} // namespace titrage
