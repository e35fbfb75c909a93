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
    QFileDialog dialog(&parent,
                       QCoreApplication::translate("titrage::TableExport", "Exporter le tableau"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(
        QCoreApplication::translate("titrage::TableExport", "Tableau pour tableur (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setLabelText(QFileDialog::LookIn,
                        QCoreApplication::translate("titrage::TableExport", "Dossier :"));
    dialog.setLabelText(QFileDialog::FileName,
                        QCoreApplication::translate("titrage::TableExport", "Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType,
                        QCoreApplication::translate("titrage::TableExport", "Type :"));
    dialog.setLabelText(QFileDialog::Accept,
                        QCoreApplication::translate("titrage::TableExport", "Enregistrer"));
    dialog.setLabelText(QFileDialog::Reject,
                        QCoreApplication::translate("titrage::TableExport", "Annuler"));
    dialog.selectFile(QCoreApplication::translate("titrage::TableExport", "tableau.csv"));
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
        Messages::inform(
            &parent, QCoreApplication::translate("titrage::TableExport", "Exportation impossible"),
            QCoreApplication::translate("titrage::TableExport", "Ecriture impossible sur disque"),
            MessageIcon::Critical);
        return {};
    }
    return path;
}

} // namespace titrage
