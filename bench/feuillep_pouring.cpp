// Everything that changes the poured volume: the tap, the continuous pouring,
// the drops, "Vider la burette", "Trace rapide", the restart, and the refresh
// of the measurement and of the liquids.
#include "bench/accessiblenames.h"
#include "bench/apparatusview.h"
#include "model/entryvalidation.h"
#include "bench/feuillep.h"
#include "bench/parametrespage.h"
#include "bench/tappicture.h"
#include "model/measurement.h"
#include "platform/messages.h"
#include "platform/core/numberformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <cmath>

namespace titrage {

void feuilleP::majaff()
{
    const BenchEntries e = entries();
    const double ph = solveMeasurement(m_model, e);
    if (m_model.vverse == 0.0f) placepoint();
    calcsigma(m_model, e.sigmaInputs(), ph, m_model.vverse);
    if (std::isfinite(ph)) m_measuredPh = ph;
    // Nothing but a number reaches the conductimeter.
    if (std::isfinite(m_model.sigma))
        LabelpH->setText(QString::fromStdString(conductimeterText(m_model.sigma)));
    conductimeterChanged(*LabelpH);
}

void feuilleP::niveaubecher()
{
    picburette->niveaubecher(sceneState());
    // Only a tap that turned is drawn again.
    const QPixmap tap = ApparatusView::tapPicture(Timer1->isActive());
    if (Image3->pixmap().cacheKey() != tap.cacheKey()) Image3->setPixmap(tap);
}

void feuilleP::imafond()
{
    const SceneState s = sceneState();
    picburette->imafond(s);
    for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image3),
                       static_cast<QWidget*>(Command6), static_cast<QWidget*>(Command13),
                       static_cast<QWidget*>(Command14), static_cast<QWidget*>(Labelbur),
                       static_cast<QWidget*>(Text1[1])})
        w->setVisible(s.burette);
    LabelpH->setVisible(s.conductimetre);
    placeOverlays();
}

void feuilleP::optscema_Click(int)
{
    imafond();
    niveaubecher();
    majaff();
}

void feuilleP::Image3_MouseDown()
{
    // The tap takes no focus: a value still being typed is validated first.
    validatePendingEntries();
    lockEntries(true);
    if (boxNumber(BoxPoured) >= 25.0f) {
        const MessageAnswer answer =
            Messages::ask(this, {QStringLiteral("Burette vide"),
                                 QStringLiteral("Voulez-vous recommencer le titrage"),
                                 MessageIcon::Question, MessageButtons::YesNo});
        if (answer == MessageAnswer::Yes) {
            reinitialise();
            if (m_store.numsit >= 0) m_store.sit[m_store.numsit].courbefinie = false;
            niveaubecher();
            Command14_Click();
            outils->hide();
            return;
        }
    }
    Image3->setPixmap(ApparatusView::tapPicture(true));
    Timer1->start();
}

void feuilleP::Image3_MouseUp()
{
    Image3->setPixmap(ApparatusView::tapPicture(false));
    Timer1->stop();
    lockEntries(false);
    niveaubecher();
}

void feuilleP::Image3_Click()
{
    // A click pours at least 0.1 mL even when no tick elapsed during the
    // press, and also after the press restarted an empty burette.
    Timer1_Timer();
    lockEntries(false);
}

void feuilleP::Timer1_Timer()
{
    lockEntries(true);
    // The poured volume is a 32-bit value: 24.9 + 0.1 stays within the burette.
    float v = boxNumber(BoxPoured);
    if (static_cast<double>(v) + 0.1 > 25.0) {
        Timer1->stop();
        lockEntries(false);
        Image3->setPixmap(ApparatusView::tapPicture(false));
        niveaubecher();
        tracecourbe();
        Option2_Click(m_store.numsit);
        return;
    }
    v = static_cast<float>(
        parseNumber(formatNumber(static_cast<double>(v) + 0.1, "#0.00")).value_or(v + 0.1));
    setPoured(QString::fromStdString(formatNumber(v, "####0.0")));
    majaff();
    niveaubecher();

    const double step = Picture3->UpDown1->value() / 10.0;
    const double q = roundSignificant(static_cast<double>(v) / step, 5);
    if (q - std::floor(q) < 0.001) placepoint();
}

void feuilleP::Image1_Click()
{
    validatePendingEntries();
    const float v = boxNumber(BoxPoured) + 0.05f;
    Image3->setPixmap(ApparatusView::tapPicture(false));
    Timer1->stop();
    if (v <= 25.0001f) {
        m_etapegoutte = 0;
        Timer2->start();
    }
}

void feuilleP::Timer2_Timer()
{
    Timer1->stop();
    ++m_etapegoutte;
    const int step = m_etapegoutte;
    if (step == 1) {
        picburette->drawDropSprite(55, 348);
    } else if (step == 2) {
        niveaubecher();
        picburette->drawDropSprite(55, 348 + (picburette->niveau() - 16 - 348) / 5.0);
    } else if (step == 3) {
        niveaubecher();
        picburette->drawDropSprite(55, (picburette->niveau() + 348 - 16) / 2.0);
    } else if (step == 4) {
        niveaubecher();
        picburette->drawDropSprite(55, picburette->niveau() - 16);
        Timer2->stop(); // the drop is done: no further tick while events run
        QCoreApplication::processEvents();
        const float v = boxNumber(BoxPoured) + 0.05f;
        setPoured(QString::fromStdString(formatNumber(v, "####0.0#")));
        majaff();
        niveaubecher();
        // Near the equivalence a point every 0.1 mL, elsewhere every whole mL.
        const std::string fine = formatNumber(v, "##0.000");
        const std::string coarse = formatNumber(v, "##0.00");
        const bool nearEquivalence = v >= m_model.veq - 1 && v <= m_model.veq + 1;
        const std::string& shown = nearEquivalence ? fine : coarse;
        if (shown.size() >= 2 && shown.compare(shown.size() - 2, 2, "00") == 0) placepoint();
        if (v >= 25.0f) {
            lockEntries(false);
            Image3->setPixmap(ApparatusView::tapPicture(false));
            niveaubecher();
            majaff();
            tracecourbe();
        }
    }
    picburette->redrawBeakerRim();
}

void feuilleP::Command6_Click()
{
    validatePendingEntries();
    if (!Timer1->isActive()) {
        lockEntries(false);
        Image3_MouseDown();
    } else {
        Image3_MouseUp();
        niveaubecher();
    }
}

void feuilleP::Command13_Click()
{
    validatePendingEntries();
    Text1[5]->setText(QStringLiteral("25"));
    Text1_LostFocus(BoxPoured);
    Option2_Click(m_store.numsit);
}

void feuilleP::Command14_Click()
{
    validatePendingEntries();
    if (m_store.numsit >= 0) m_store.sit[m_store.numsit].courbefinie = false;
    Timer1->stop();
    Text1[5]->setText(QStringLiteral("0"));
    Text1_LostFocus(BoxPoured);
    outils->hide();
}

} // namespace titrage
