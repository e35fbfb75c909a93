// The parameter panel's handlers: validation of the entry boxes, the nature,
// the solute, the indicator, the masked and random concentration.
#include "bench/feuillep.h"
#include "bench/graphtoolspanel.h"
#include "bench/mixturepanel.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "model/entryvalidation.h"
#include "model/measurement.h"
#include "model/realsolution.h"
#include "platform/core/numberformat.h"
#include "platform/coretext.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <memory>
#include <random>

namespace titrage {

void feuilleP::Text1_LostFocus(int box, bool onlyIfChanged)
{
    if (box < 0 || box >= kEntryBoxes) return;
    const QString before = m_entries->benchText(box);
    const ValidatedEntry v =
        validateEntry(box, Text1[box]->text().toStdString(), Text1[BoxVsol]->text().toStdString(),
                      Text1[BoxWater]->text().toStdString());
    if (v.notice)
        Messages::inform(this, coreText("EntryValidation", v.notice->title),
                         coreText("EntryValidation", v.notice->text), MessageIcon::Information);
    Text1[box]->setText(QString::fromStdString(v.text));
    const bool changed = !sameEntryValue(Text1[box]->text(), before);
    if (box == BoxVsol || box == BoxWater || box == BoxPoured) niveaubecher();
    if (onlyIfChanged && !changed) {
        // The bench already works with this value: nothing to restart.
        return;
    }
    // The pKa of "autre acide" / "autre base" applies at once.
    if (box == BoxPka && lbecher->currentIndex() == kOtherPosition)
        chpk(m_state.model(), acide(), kOtherPosition, Text1[BoxPka]->text().toStdString());
    // A finished curve drawn with the old parameters would contradict the
    // table and the history computed from the new ones: the slot forgets it,
    // as it does when the solute changes.
    if (changed && m_state.forgetChangedCurve(static_cast<EntryBox>(box),
                                              lbecher->currentIndex() == kOtherPosition))
        outils->hide();

    if (box == BoxPoured) {
        const QString kept = Text1[BoxPoured]->text();
        const double x = v.value;
        reinitialise();
        if (x != 0) {
            // Replay the pouring from 0 mL so that the bench passes through
            // every state, as the tap would have.
            for (double step = 0; step <= x; step += 0.1) {
                setPoured(QString::fromStdString(formatNumber(step, "#0.0")));
                majaff();
            }
            setPoured(kept);
            // The replay may stop a tenth short of the typed volume (0.1 added
            // up drifts); measure at the volume the box shows.
            majaff();
        }
    } else {
        reinitialise();
    }
    niveaubecher();
}

void feuilleP::connectSolution()
{
    // A change of the water is a change of parameter: the titration restarts
    // and every finished curve is drawn again under the new conditions.
    auto apply = [this](SolutionConditions c) {
        m_state.setConditions(c);
        reinitialise();
        niveaubecher();
        const QString t = QString::fromStdString(formatNumber(c.temperature, "#0.0"));
        showStatus(c.real ? tr("Solutions réelles à %1 °C : conductivités molaires selon la "
                               "force ionique (Onsager), activités par l'équation de Davies")
                                .arg(t)
                          : tr("Solutions idéales à %1 °C : conductivités molaires à "
                               "dilution infinie, sans activités")
                                .arg(t));
    };
    connect(Picture3->reelles, &QCheckBox::clicked, this, [this, apply](bool real) {
        SolutionConditions c = m_state.conditions();
        c.real = real;
        apply(c);
    });
    // A message shown while the box loses the focus would finish its editing
    // a second time: the guard reads each edit once.
    auto reading = std::make_shared<bool>(false);
    connect(Picture3->temperature, &QLineEdit::editingFinished, this, [this, apply, reading] {
        if (*reading) return;
        *reading = true;
        SolutionConditions c = m_state.conditions();
        const TemperatureEntry e =
            readTemperature(Picture3->temperature->text().toStdString(), c.temperature);
        Picture3->temperature->setText(QString::fromStdString(e.text));
        if (e.message)
            Messages::inform(this, tr("Température"), QString::fromStdString(*e.message),
                             MessageIcon::Exclamation);
        *reading = false;
        if (e.value == c.temperature) return;
        c.temperature = e.value;
        apply(c);
    });
}

void feuilleP::Option1_Click(int)
{
    showMixture(std::nullopt);
    retablir();
    Timer1->stop();
    imafond();
    m_pages->fillSoluteList(m_state.model());
    refreshPanel();
    reinitialise();
    majaff();
}

void feuilleP::lbecher_Click()
{
    retablir();
    if (lbecher->currentIndex() == kOtherPosition)
        chpk(m_state.model(), acide(), kOtherPosition, Text1[BoxPka]->text().toStdString());
    reinitialise();
    majaff();
    niveaubecher();
    refreshPanel();
}

void feuilleP::lindic_Click()
{
    if (m_state.current() != -1) Command14_Click();
    niveaubecher();
}

void feuilleP::masquer_Click()
{
    if (Picture3->masquer->isChecked()) {
        Text1_LostFocus(BoxConcentration);
        Label1->show();
        command5->hide();
    } else {
        Label1->hide();
        command5->show();
    }
    m_mixturePanel->setConcentrationsMasked(Picture3->masquer->isChecked());
    hideUnderMixture();
    refreshPanel();
}

std::optional<double> feuilleP::hiddenConcentration() const
{
    if (!Picture3->masquer->isChecked()) return std::nullopt;
    // The box holds the value the bench titrates, hidden under Label1.
    return parseNumber(Text1[BoxConcentration]->text().toStdString());
}

void feuilleP::command5_Click()
{
    static std::mt19937 generator;
    generator.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
    {
        const QSignalBlocker blocker(Picture3->masquer);
        Picture3->masquer->setChecked(true);
    }
    const double r = std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    Text1[BoxConcentration]->setText(QString::fromStdString(generalFormat(randomConcentration(r))));
    Text1_LostFocus(BoxConcentration);
    command5->hide();
    Label1->show();
    Picture3->masquer->setEnabled(false); // only Label1 lifts the mask now
    m_state.setRandomDrawn(true);
    refreshPanel();
}

void feuilleP::Label1_Click()
{
    {
        const QSignalBlocker blocker(Picture3->masquer);
        Picture3->masquer->setChecked(false);
    }
    command5->show();
    Label1->hide();
    Picture3->masquer->setEnabled(true);
    m_state.setRandomDrawn(false);
    refreshPanel();
}

} // namespace titrage
