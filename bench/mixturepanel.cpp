#include "bench/mixturepanel.h"

#include "model/mixturebench.h"
#include "platform/core/numberformat.h"
#include "platform/coretext.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {
constexpr int kRowHeight = 24;
constexpr int kTop = 38; // below the nature's line
const std::vector<MixSolute>& choices()
{
    static const std::vector<MixSolute> list = mixSoluteChoices();
    return list;
}
// The first solute is always there; the others may be "(aucun)", at index 0.
int offset(int i)
{
    return i == 0 ? 0 : 1;
}
} // namespace

MixturePanel::MixturePanel(QWidget& frame2) : QWidget(&frame2)
{
    setObjectName(QStringLiteral("mixturePanel"));
    setAutoFillBackground(true);
    nature = new QRadioButton(tr("Mélange ou précipitation"), &frame2);
    nature->setObjectName(QStringLiteral("Option1(2)"));
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        m_labels[i] = new QLabel(tr("Soluté %1 :").arg(i + 1), this);
        solutes[i] = new QComboBox(this);
        solutes[i]->setObjectName(QStringLiteral("lmelange(%1)").arg(i));
        solutes[i]->setAccessibleName(tr("Soluté %1 du mélange").arg(i + 1));
        concentrations[i] = new QLineEdit(this);
        concentrations[i]->setObjectName(QStringLiteral("cmelange(%1)").arg(i));
        concentrations[i]->setAccessibleName(tr("Concentration du soluté %1").arg(i + 1));
        m_units[i] = new QLabel(QStringLiteral("mol · L⁻¹"), this);
        connect(solutes[i], qOverload<int>(&QComboBox::activated), this, &MixturePanel::edited);
        connect(concentrations[i], &QLineEdit::editingFinished, this, [this, i] {
            // Leaving an unchanged box is no edit.
            if (concentrations[i]->isModified()) {
                concentrations[i]->setModified(false);
                emit edited();
            }
        });
    }
    m_titrantLabel = new QLabel(tr("Dans la burette :"), this);
    titrant = new QComboBox(this);
    titrant->setObjectName(QStringLiteral("lburette"));
    titrant->setAccessibleName(tr("Solution de la burette"));
    connect(titrant, qOverload<int>(&QComboBox::activated), this, &MixturePanel::edited);
    hide();
}

void MixturePanel::fill(const Model& catalogue)
{
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        const QSignalBlocker blocker(solutes[i]);
        solutes[i]->clear();
        if (i > 0) solutes[i]->addItem(tr("(aucun)"));
        for (const MixSolute& s : choices())
            solutes[i]->addItem(coreText("Catalogue", mixSoluteName(catalogue, s)));
        solutes[i]->view()->setMinimumWidth(220);
    }
    const QSignalBlocker blocker(titrant);
    titrant->clear();
    for (int t = 0; t < kMixTitrants; ++t)
        titrant->addItem(coreText("Catalogue", mixTitrantName(static_cast<MixTitrant>(t))));
    titrant->view()->setMinimumWidth(170);
}

void MixturePanel::layout(const std::array<QRadioButton*, 2>& natures)
{
    // Three natures do not fit at the two's spacing: each takes its own
    // width, from just after the line's painted title (Arial 9, after its
    // bullet, 10 units from the edge).
    const QFontMetrics fm(QFont(QStringLiteral("Arial"), 9));
    const QRect r = natures[0]->geometry();
    int x = std::min(
        r.x(), 10 + fm.horizontalAdvance(QStringLiteral("\u2022 Nature de la solution :")) + 4);
    for (QRadioButton* b : {natures[0], natures[1], nature}) {
        const int w = b->sizeHint().width();
        b->setGeometry(x, r.y(), w, r.height());
        x += w;
    }
    QWidget* frame = parentWidget();
    setGeometry(0, kTop, frame->width(), kMaxMixSolutes * kRowHeight);
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        const int y = i * kRowHeight;
        m_labels[i]->setGeometry(14, y, 58, kRowHeight - 2);
        solutes[i]->setGeometry(74, y, 196, kRowHeight - 2);
        concentrations[i]->setGeometry(276, y, 66, kRowHeight - 2);
        m_units[i]->setGeometry(346, y, 50, kRowHeight - 2);
    }
    m_titrantLabel->setGeometry(402, 0, 110, kRowHeight - 2);
    titrant->setGeometry(402, kRowHeight, 110, kRowHeight - 2);
}

QString MixturePanel::concentrationRefusal(const QString& text)
{
    const std::optional<double> c = parseNumber(text.trimmed().toStdString());
    if (c && std::isfinite(*c) && *c >= kMixMinConcentration * (1 - 1e-9) &&
        *c <= kMixMaxConcentration * (1 + 1e-9))
        return {};
    return tr("La concentration d'un soluté du mélange doit être un nombre compris entre "
              "0,000001 et 0,1 mol · L⁻¹.");
}

std::optional<Mixture> MixturePanel::mixture() const
{
    Mixture m;
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        const int index = solutes[i]->currentIndex() - offset(i);
        if (index < 0 || index >= static_cast<int>(choices().size())) continue;
        if (!concentrationRefusal(concentrations[i]->text()).isEmpty()) return std::nullopt;
        MixSolute s = choices()[static_cast<size_t>(index)];
        s.c = *parseNumber(concentrations[i]->text().trimmed().toStdString());
        m.solutes[m.soluteCount++] = s;
    }
    if (m.soluteCount == 0) return std::nullopt;
    m.titrant = static_cast<MixTitrant>(std::clamp(titrant->currentIndex(), 0, kMixTitrants - 1));
    return m;
}

void MixturePanel::setConcentrationsMasked(bool masked)
{
    for (QLineEdit* box : concentrations) {
        box->setEchoMode(masked ? QLineEdit::NoEcho : QLineEdit::Normal);
        box->setReadOnly(masked);
    }
}

void MixturePanel::show(const Mixture& m)
{
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        const QSignalBlocker b0(solutes[i]);
        const QSignalBlocker b1(concentrations[i]);
        if (i < m.soluteCount) {
            const int index = mixSoluteChoiceIndex(m.solutes[i]);
            solutes[i]->setCurrentIndex(index < 0 ? 0 : index + offset(i));
            concentrations[i]->setText(QString::fromStdString(generalFormat(m.solutes[i].c)));
        } else {
            solutes[i]->setCurrentIndex(0);
            if (concentrations[i]->text().isEmpty())
                concentrations[i]->setText(QStringLiteral("0,01"));
        }
        concentrations[i]->setModified(false);
    }
    const QSignalBlocker blocker(titrant);
    titrant->setCurrentIndex(static_cast<int>(m.titrant));
}

} // namespace titrage
