// A class's own measurements on the bench: "Importer des mesures…" puts them
// into the current situation, drawn as crosses of their own over its model
// and analysed by the graph's tools; "Ajuster la concentration" finds the
// beaker concentration whose curve passes closest to them.
#include "bench/feuillep.h"
#include "bench/importdialog.h"
#include "bench/parametrespage.h"
#include "model/concentrationfit.h"
#include "platform/core/numberformat.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QLineEdit>

namespace titrage {

void feuilleP::importerMesures()
{
    const QString title = tr("Importer des mesures");
    const int k = m_state.current();
    if (k < 0) {
        Messages::inform(this, title,
                         tr("Choisissez d'abord une situation : les mesures importées en font "
                            "partie."),
                         MessageIcon::Exclamation);
        return;
    }
    validatePendingEntries();
    ImportDialog dialog(this);
    if (Messages::execDialog(dialog) != QDialog::Accepted || !dialog.imported().ok()) return;
    const MeasurementImport& read = dialog.imported();
    // Beside the student's poured points, which stay as they are: nothing the
    // student did is lost, and an earlier import of the slot is replaced (its
    // file is still on disk).
    m_state.importPoints(k, read.points);
    restoreGraph();
    const int n = static_cast<int>(read.points.size());
    showStatus((n == 1 ? tr("%1 mesure importée dans la situation %2, σ lue en %3")
                       : tr("%1 mesures importées dans la situation %2, σ lue en %3"))
                   .arg(n)
                   .arg(k + 1)
                   .arg(QString::fromUtf8(sigmaUnitName(read.unit))));
}

void feuilleP::ajusterConcentration()
{
    const QString title = tr("Ajuster la concentration");
    const int k = m_state.current();
    const std::vector<MeasuredPoint>& imported = m_state.importedPoints(k);
    if (imported.size() < 2) {
        Messages::inform(this, title,
                         tr("Importez d'abord les mesures de la classe (« Copier », « Importer "
                            "des mesures… ») : la concentration du bécher est ajustée sur elles."),
                         MessageIcon::Exclamation);
        return;
    }
    validatePendingEntries();
    std::vector<ImportedMeasurement> points;
    for (const MeasuredPoint& p : imported)
        points.push_back({p.volume, p.sigma});
    const std::optional<ConcentrationFit> fit =
        fitConcentration(m_state.model(), entries(), points);
    if (!fit) {
        Messages::inform(this, title,
                         tr("Ces mesures ne permettent pas d'ajuster la concentration : σ du "
                            "modèle n'en dépend pas aux volumes mesurés."),
                         MessageIcon::Exclamation);
        return;
    }
    QString text = QString::fromStdString(concentrationText(fit->c, fit->u)) +
                   QStringLiteral("\n\n") +
                   tr("Moindres carrés sur σ, %1 mesures, les autres paramètres de la situation "
                      "inchangés ; écart quadratique moyen : %2 S/m.")
                       .arg(points.size())
                       .arg(QString::fromStdString(generalFormat(roundSignificant(fit->rms, 2))));
    if (fit->atLimit) {
        text += QStringLiteral("\n\n") +
                tr("La meilleure valeur est au bord du domaine cherché (10⁻⁶ à 0,1 mol/L) : les "
                   "mesures ne suivent pas le modèle de cette situation (soluté, volumes, "
                   "burette, unité de σ ?).");
        Messages::inform(this, title, text, MessageIcon::Exclamation);
        return;
    }
    // A hidden concentration stays hidden: the result is only shown.
    if (Picture3->masquer->isChecked() || m_state.randomDrawn(k)) {
        Messages::inform(this, title, text);
        return;
    }
    text += QStringLiteral("\n\n") + tr("Placer cette concentration dans la case du bécher ?");
    if (!m_state.pouredPoints(k).empty())
        text += QLatin1Char(' ') + tr("La titration versée recommence alors.");
    if (Messages::ask(this, {title, text, MessageIcon::Question, MessageButtons::YesNo}) !=
        MessageAnswer::Yes)
        return;
    // As if typed: the box then differs from the value the bench works with,
    // and validating it restarts the titration and forgets the old curve.
    QLineEdit& box = *Text1[BoxConcentration];
    box.selectAll();
    box.insert(QString::fromStdString(generalFormat(roundSignificant(fit->c, 3))));
    Text1_LostFocus(BoxConcentration, true);
}

} // namespace titrage
