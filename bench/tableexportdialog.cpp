#include "bench/tableexportdialog.h"

#include "graph/valuetable.h"
#include "platform/core/safesave.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>

namespace titrage {

QString exportTable(QWidget& parent, const ExportSituation& situation, const ValueTable& table)
{
    QFileDialog dialog(&parent, QStringLiteral("Exporter le tableau"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Tableau pour tableur (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Dossier :"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Type :"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Enregistrer"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    dialog.selectFile(QStringLiteral("tableau.csv"));
    if (Messages::execDialog(dialog) != QDialog::Accepted) return {};
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return {};
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) path += QStringLiteral(".csv");

    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < table.measurementRows(); ++r) {
        std::vector<std::string> cells;
        for (int col = 0; col < table.columns(); ++col)
            cells.push_back(table.cellText(r, col).toStdString());
        rows.push_back(std::move(cells));
    }
    const std::string csv =
        csvTable(exportParameters(situation), columnNames(table.columns()), rows);

    // Written whole or not at all: the old file stays until the new one is
    // complete and its size on disk checked (a full disk is seen).
    SafeSave file(QFile::encodeName(path).toStdString());
    if (!(file.open() && file.write(csv) && file.commit())) {
        Messages::inform(&parent, QStringLiteral("Exportation impossible"),
                         QStringLiteral("Ecriture impossible sur disque"), MessageIcon::Critical);
        return {};
    }
    return path;
}

} // namespace titrage
