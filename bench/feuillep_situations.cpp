// The ten situations: storing the bench into a slot, loading a slot into the
// bench, forgetting the current curve.
#include "bench/apparatusview.h"
#include "model/entryvalidation.h"
#include "bench/feuillep.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
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
    Situation& s = m_store.sit[k];
    if (conductimetre() && boxNumber(BoxPoured) >= 25.0f) s.courbefinie = true;
    s.optsit[1] = acide();
    s.optsit[2] = Picture3->optscema[0]->isChecked();
    s.optsit[3] = conductimetre();
    s.optsit[4] = Picture3->masquer->isChecked();
    s.listesit[1] = static_cast<std::int16_t>(lbecher->currentIndex());
    s.listesit[2] = static_cast<std::int16_t>(lindic->currentIndex());
    const int boxes[6] = {2, 1, 5, 0, 4, 6};
    for (int j = 0; j < 6; ++j)
        s.textesit[j] = Text1[boxes[j]]->text().toStdString();
    s.textesit[6] = generalFormat(m_sigmamax);
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
        const bool drawn = m_store.numsit >= 0 && m_randomDrawn[m_store.numsit] && s.optsit[4];
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
    m_store.sit = situations;
    for (auto& points : m_points)
        points.clear();
    m_randomDrawn = {};
    // The file does not hold each curve's largest conductivity: measure it
    // again so that superposed curves fit the scale at once.
    for (Situation& s : m_store.sit) {
        if (!s.courbefinie) continue;
        Model own = m_model;
        loadModelFromSituation(own, s);
        BenchEntries e;
        e.acide = s.optsit[1];
        e.position = s.listesit[1];
        e.c = parseFloat(s.textesit[3]);
        e.cburette = parseFloat(s.textesit[1]);
        e.vsol = parseFloat(s.textesit[4]);
        e.vverse = parseFloat(s.textesit[2]);
        e.veau = parseFloat(s.textesit[5]);
        if (e.position == kOtherPosition) chpk(own, e.acide, kOtherPosition, s.textesit[0]);
        const SigmaScale scale = titrage::valimax(own, e, nullptr, false);
        if (std::isfinite(scale.sigmamax)) s.textesit[6] = generalFormat(scale.sigmamax);
    }
}

const std::vector<MeasuredPoint>& feuilleP::measuredPoints(int k) const
{
    static const std::vector<MeasuredPoint> none;
    return k >= 0 && k < kSituations ? m_points[k] : none;
}

// Shows again the crosses and rows the student had measured in the current
// situation, so that pouring goes on from where it was.
void feuilleP::restoreMeasuredPoints(std::vector<MeasuredPoint> points)
{
    const int k = m_store.numsit;
    if (k < 0 || points.empty() || !conductimetre() || m_maxaxe == 0.0f) return;
    MSFlexGrid1->cutToHeader();
    for (const MeasuredPoint& p : points) {
        Picture1->drawCross(static_cast<float>(p.volume), static_cast<float>(p.sigma), m_maxaxe,
                            situationColor(k));
        MSFlexGrid1->appendRow(formatRow(p.row, MSFlexGrid1->columns()));
    }
    m_points[k] = std::move(points);
}

void feuilleP::selectSituationSlot(int k, bool storeCurrent)
{
    if (k < 0 || k >= kSituations) return;
    // A value being typed is validated before the bench is stored.
    validatePendingEntries();
    // Leaving and re-entering situations restarts their graphs, not the
    // student's measurements.
    const bool keeping = m_keepPoints;
    m_keepPoints = true;
    std::vector<MeasuredPoint> kept = m_points[k];
    // 1-2. Leave the current situation, storing the bench into it.
    outils->hide();
    if (m_store.numsit != -1 && storeCurrent) {
        storeSituation(m_store.numsit);
        Timer1->stop();
        Text1[5]->setText(QStringLiteral("0"));
        Text1_LostFocus(BoxPoured);
    }
    // 3-4. The chosen slot's switches and lists.
    m_store.numsit = static_cast<std::int16_t>(k);
    {
        const QSignalBlocker blocker(Option2[k]);
        Option2[k]->setChecked(true);
    }
    keepSituationTabStop();
    const Situation s = m_store.sit[k];
    loadSituationControls(s);
    // 5. Its colour beside its button.
    const QColor colour = situationColor(k);
    const QRect button = designGeometry(Option2[k]);
    // Beside the colour dot above the button: left of the button it would
    // cover the end of the previous button's caption.
    Shape3->setGeometry(button.left() + 16, button.top() - 19, 12, 12);
    QPalette p = Shape3->palette();
    p.setColor(QPalette::Window, colour);
    Shape3->setPalette(p);
    labout->setText(QStringLiteral("Courbe n° %1").arg(k + 1));
    QPalette lp = labout->palette();
    lp.setColor(QPalette::WindowText, colour);
    labout->setPalette(lp);
    // 6. Its texts.
    Text1[2]->setText(QString::fromStdString(s.textesit[0]));
    chpk(m_model, acide(), lbecher->currentIndex(), s.textesit[0]);
    Text1[1]->setText(QString::fromStdString(s.textesit[1]));
    Text1[0]->setText(QString::fromStdString(s.textesit[3]));
    Text1[4]->setText(QString::fromStdString(s.textesit[4]));
    Text1[6]->setText(QString::fromStdString(s.textesit[5]));
    // 7. New scale, empty graph, finished curves, table, measurement at 0 mL.
    reinitialise();
    // 8. Its poured volume.
    Text1[5]->setText(QString::fromStdString(s.textesit[2]));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Labelbur->setText(Text1[5]->text() + QStringLiteral(" mL"));
    // 9. Scene and measurement.
    imafond();
    majaff();
    niveaubecher();
    // 10. A finished titration shows its whole curve; one under way, its points.
    if (boxNumber(BoxPoured) >= 25.0f)
        tracecourbe();
    else
        restoreMeasuredPoints(std::move(kept));
    m_keepPoints = keeping;
    update();
}

void feuilleP::retablir()
{
    if (m_store.numsit >= 0) m_store.sit[m_store.numsit].courbefinie = false;
    Timer1->stop();
    Text1[5]->setText(QStringLiteral("0"));
    Text1_LostFocus(BoxPoured);
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
        Option2_Click(m_store.numsit);
}

void feuilleP::Command12_Click()
{
    retablir();
}

void feuilleP::Command9_Click()
{
    Option2_Click(m_store.numsit);
}

} // namespace titrage
