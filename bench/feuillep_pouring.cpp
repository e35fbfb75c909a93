// The refresh of the measurement and of the liquids, and the scene's views.
// The tap, the drops and the burette's buttons are in BuretteControls.
#include "bench/accessiblenames.h"
#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "bench/parametrespage.h"
#include "bench/tappicture.h"
#include "model/measurement.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <cmath>

namespace titrage {

void feuilleP::majaff()
{
    if (m_state.mixture()) return majaffMixture();
    const BenchEntries e = entries();
    Model& model = m_state.model();
    const double ph = solveMeasurement(model, e);
    if (model.vverse == 0.0f) placepoint();
    calcsigma(model, e.sigmaInputs(), ph, model.vverse);
    if (std::isfinite(ph)) m_state.setMeasuredPh(ph);
    // Nothing but a number reaches the conductimeter.
    if (std::isfinite(model.sigma))
        LabelpH->setText(QString::fromStdString(conductimeterText(model.sigma)));
    conductimeterChanged(*LabelpH);
    phMeterChanged();
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
    m_burette->setBuretteShown(s.burette);
    Text1[BoxBurette]->setVisible(s.burette);
    LabelpH->setVisible(s.conductimetre);
    placeOverlays();
}

void feuilleP::optscema_Click(int)
{
    imafond();
    niveaubecher();
    majaff();
}

} // namespace titrage
