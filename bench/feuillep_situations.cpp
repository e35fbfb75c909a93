// The ten situations: storing the bench into a slot, loading a slot into the
// bench, forgetting the current curve, and the check boxes a configuration
// saves.
#include "bench/feuillep.h"
#include "bench/graphtoolspanel.h"
#include "model/entryvalidation.h"
#include "model/measurement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace titrage {

void feuilleP::storeSituation(int k)
{
    BenchControls c = m_pages->controls();
    c.texts = entryTexts();
    m_state.storeSituation(k, c, boxNumber(BoxPoured));
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
    std::vector<MeasuredPoint> kept = m_state.pouredPoints(k);
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
    // Its controls are set without running their handlers: loading a situation
    // must not forget its curve or restart the titration before its texts are in.
    m_pages->loadControls(s, m_state.model(), m_state.randomDrawn(k));
    showMixture(s.mixture);
    keepNatureTabStop();
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
        m_curves->restoreMeasuredPoints(std::move(kept));
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
    return isTickedState(m_pages->configCheck(box)->checkState());
}

void feuilleP::setTicked(ConfigCheck box, bool ticked)
{
    QCheckBox* check = m_pages->configCheck(box);
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
