// The nature "Mélange ou précipitation": its panel, the check of a choice
// before the bench takes it, and the refresh of the measurement from the
// exact engine.
#include "bench/accessiblenames.h"
#include "bench/feuillep.h"
#include "bench/mixturepanel.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "model/measurement.h"
#include "platform/messages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace titrage {

namespace {
// What the panel starts with: the chloride of a diluted physiological
// serum under silver nitrate, the classic precipitation.
Mixture defaultMixture()
{
    Mixture m;
    m.solutes[0] = {MixSoluteKind::SodiumChloride, 0, 7, 0.01};
    m.soluteCount = 1;
    m.titrant = MixTitrant::SilverNitrate;
    return m;
}
} // namespace

void feuilleP::createMixturePanel()
{
    m_mixturePanel = new MixturePanel(*frame2);
    connect(m_mixturePanel->nature, &QRadioButton::clicked, this,
            [this] { mixtureNature_Click(); });
    connect(m_mixturePanel, &MixturePanel::edited, this, [this] { mixture_Changed(); });
}

void feuilleP::showMixture(const std::optional<Mixture>& mixture)
{
    m_state.setMixture(mixture);
    if (mixture) {
        m_mixturePanel->show(*mixture);
        const QSignalBlocker blocker(m_mixturePanel->nature);
        m_mixturePanel->nature->setChecked(true);
        m_mixturePanel->raise();
    } else {
        lbecher->show();
    }
    m_mixturePanel->setVisible(mixture.has_value());
    m_mixturePanel->setConcentrationsMasked(Picture3->masquer->isChecked());
    hideUnderMixture();
}

void feuilleP::hideUnderMixture()
{
    if (!m_state.mixture()) return;
    // The single solute's controls lie under the panel: out of the way of
    // the keyboard too.
    for (QWidget* w : {static_cast<QWidget*>(lbecher), static_cast<QWidget*>(Text1[BoxPka]),
                       static_cast<QWidget*>(Text1[BoxConcentration]),
                       static_cast<QWidget*>(command5), static_cast<QWidget*>(Label1)})
        w->hide();
    frame2->setPkaShown(false);
}

void feuilleP::mixtureNature_Click()
{
    retablir();
    Timer1->stop();
    std::optional<Mixture> m = m_mixturePanel->mixture();
    if (!m || mixtureBenchRefusal(mixtureWith(*m, entries().sigmaInputs()), model()))
        m = defaultMixture();
    showMixture(m);
    imafond();
    refreshPanel();
    reinitialise();
    majaff();
    niveaubecher();
}

void feuilleP::mixture_Changed()
{
    const std::optional<Mixture> before = m_state.mixture();
    if (!before) return;
    const QString title = tr("Mélange ou précipitation");
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        const bool chosen = i == 0 || m_mixturePanel->solutes[i]->currentIndex() > 0;
        const QString why =
            MixturePanel::concentrationRefusal(m_mixturePanel->concentrations[i]->text());
        if (chosen && !why.isEmpty()) {
            Messages::inform(this, title, why, MessageIcon::Exclamation);
            m_mixturePanel->show(*before);
            return;
        }
    }
    const std::optional<Mixture> m = m_mixturePanel->mixture();
    if (!m) {
        m_mixturePanel->show(*before);
        return;
    }
    // A combination the engine cannot treat honestly is refused whole, with
    // the bench's volumes and burette as they stand: nothing changes.
    if (const auto why = mixtureBenchRefusal(mixtureWith(*m, entries().sigmaInputs()), model())) {
        Messages::inform(this, title, QString::fromStdString(*why), MessageIcon::Exclamation);
        m_mixturePanel->show(*before);
        return;
    }
    retablir();
    m_state.setMixture(m);
    m_mixturePanel->show(*m); // packed: an "(aucun)" between two solutes closes up
    imafond();
    reinitialise();
    majaff();
    niveaubecher();
}

void feuilleP::majaffMixture()
{
    const BenchEntries e = entries();
    Model& model = m_state.model();
    loadModel(model, e);
    if (model.vverse == 0.0f) placepoint();
    // A point the engine refuses leaves the conductimeter as it was.
    if (const auto p = m_state.measureMixture(e.sigmaInputs(), model.vverse)) {
        m_state.setMeasuredPh(p->ph);
        LabelpH->setText(QString::fromStdString(conductimeterText(model.sigma)));
    }
    conductimeterChanged(*LabelpH);
    phMeterChanged();
}

} // namespace titrage
