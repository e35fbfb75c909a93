// The ten situations: storing the bench into a slot, loading a slot into the
// bench, forgetting the current curve.
#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "bench/graphtoolspanel.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/situationsbar.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "model/entryvalidation.h"
#include "model/measurement.h"
#include "platform/core/numberformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

namespace titrage {

void feuilleP::storeSituation(int k)
{
    BenchControls c;
    c.acide = acide();
    c.burette = Picture3->optscema[0]->isChecked();
    c.conductimetre = conductimetre();
    c.masked = Picture3->masquer->isChecked();
    c.solute = lbecher->currentIndex();
    c.indicator = lindic->currentIndex();
    c.texts = entryTexts();
    m_state.storeSituation(k, c, boxNumber(BoxPoured));
}

// Puts a stored slot's nature, views, mask and list positions on the bench.
// The controls are set without running their handlers: loading a situation
// must not forget its curve or restart the titration before its texts are in.
void feuilleP::loadSituationControls(const Situation& s)
{
    const bool natureChanged = acide() != s.optsit[1];
    {
        const QSignalBlocker b0(Option1[0]);
        const QSignalBlocker b1(Option1[1]);
        Option1[s.optsit[1] ? 0 : 1]->setChecked(true);
    }
    if (natureChanged || lbecher->count() == 0) fillSoluteList();
    {
        const QSignalBlocker b0(Picture3->optscema[0]);
        const QSignalBlocker b1(Picture3->optscema[1]);
        const QSignalBlocker b2(Picture3->masquer);
        Picture3->optscema[0]->setChecked(s.optsit[2]);
        Picture3->optscema[1]->setChecked(s.optsit[3]);
        Picture3->masquer->setChecked(s.optsit[4]);
        // A concentration drawn at random stays hidden until Label1 reveals it.
        const bool drawn = m_state.randomDrawn(m_state.current()) && s.optsit[4];
        Picture3->masquer->setEnabled(!drawn);
    }
    {
        const QSignalBlocker b0(lbecher);
        const QSignalBlocker b1(lindic);
        const int solute = s.listesit[1];
        const int indicator = s.listesit[2];
        lbecher->setCurrentIndex(solute >= 0 && solute < lbecher->count() ? solute : 0);
        lindic->setCurrentIndex(indicator >= 0 && indicator < lindic->count() ? indicator : 0);
    }
    refreshPanel();
}

void feuilleP::Option2_Click(int k)
{
    selectSituationSlot(k, true);
}

void feuilleP::restoreSituation(int k)
{
    selectSituationSlot(k, false);
}

void feuilleP::replaceSituations(const std::array<Situation, kSituations>& situations)
{
    m_state.replaceSituations(situations);
}

// Shows again the crosses and rows the student had measured in the current
// situation, so that pouring goes on from where it was.
void feuilleP::restoreMeasuredPoints(std::vector<MeasuredPoint> points)
{
    const int k = m_state.current();
    if (k < 0 || points.empty() || !conductimetre() || m_state.maxaxe() == 0.0f) return;
    MSFlexGrid1->cutToHeader();
    for (const MeasuredPoint& p : points) {
        Picture1->drawCross(static_cast<float>(p.volume), static_cast<float>(p.sigma),
                            m_state.maxaxe(), situationColor(k));
        MSFlexGrid1->appendRow(formatRow(p.row, MSFlexGrid1->columns()));
    }
    m_state.restorePoints(k, std::move(points));
}

void feuilleP::selectSituationSlot(int k, bool storeCurrent)
{
    if (k < 0 || k >= kSituations) return;
    // A value being typed is validated before the bench is stored.
    validatePendingEntries();
    // Leaving and re-entering situations restarts their graphs, not the
    // student's measurements.
    const bool keeping = m_state.keepPoints();
    m_state.setKeepPoints(true);
    std::vector<MeasuredPoint> kept = m_state.measuredPoints(k);
    // 1-2. Leave the current situation, storing the bench into it.
    outils->hide();
    if (m_state.current() != -1 && storeCurrent) {
        storeSituation(m_state.current());
        Timer1->stop();
        typePoured(QStringLiteral("0"));
    }
    // 3-4. The chosen slot's switches and lists.
    m_state.setCurrent(k);
    m_situations->markChosen(k);
    const Situation s = m_state.store().sit[k];
    loadSituationControls(s);
    // 5. Its colour beside its button.
    m_situations->showColour(k);
    m_tools->setCurve(k, situationColor(k));
    // 6. Its texts, the pKa first, which applies at once.
    const EntryTexts texts = entriesOf(s);
    auto put = [&](EntryBox box) { Text1[box]->setText(QString::fromStdString(texts[box])); };
    put(BoxPka);
    chpk(m_state.model(), acide(), lbecher->currentIndex(), texts[BoxPka]);
    for (EntryBox box : {BoxBurette, BoxConcentration, BoxVsol, BoxWater})
        put(box);
    // 7. New scale, empty graph, finished curves, table, measurement at 0 mL.
    reinitialise();
    // 8. Its poured volume.
    put(BoxPoured);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Labelbur->setText(Text1[BoxPoured]->text() + QStringLiteral(" mL"));
    // 9. Scene and measurement.
    imafond();
    majaff();
    niveaubecher();
    // 10. A finished titration shows its whole curve; one under way, its points.
    if (boxNumber(BoxPoured) >= 25.0f)
        tracecourbe();
    else
        restoreMeasuredPoints(std::move(kept));
    m_state.setKeepPoints(keeping);
    update();
}

void feuilleP::retablir()
{
    m_state.unfinishCurrent();
    Timer1->stop();
    typePoured(QStringLiteral("0"));
    outils->hide();
}

bool feuilleP::isTicked(ConfigCheck box) const
{
    switch (box) {
    case ConfigCheck::Masquer:
        return isTickedState(Picture3->masquer->checkState());
    case ConfigCheck::Check1:
        return isTickedState(Picture3->Check1->checkState());
    case ConfigCheck::Check2:
        return isTickedState(Picture3->Check2->checkState());
    }
    return false;
}

void feuilleP::setTicked(ConfigCheck box, bool ticked)
{
    QCheckBox* check = box == ConfigCheck::Masquer  ? Picture3->masquer
                       : box == ConfigCheck::Check1 ? Picture3->Check1
                                                    : Picture3->Check2;
    if (check->checkState() == (ticked ? Qt::Checked : Qt::Unchecked)) return;
    {
        const QSignalBlocker blocker(check);
        check->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    if (box == ConfigCheck::Masquer)
        masquer_Click();
    else
        Option2_Click(m_state.current());
}

} // namespace titrage
