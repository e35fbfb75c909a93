#include "bench/tableexportdialog.h"

#include "graph/valuetable.h"
#include "platform/benchscale.h"
#include "platform/core/safesave.h"
#include "platform/frenchtranslations.h"
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
    // Beside the French spreadsheet's CSV, the tab-separated text with the
    // decimal point that Python (numpy.loadtxt) and Regressi read.
    const QString spreadsheet =
        QCoreApplication::translate("titrage::TableExport", "Tableau pour tableur (*.csv)");
    const QString python =
        QCoreApplication::translate("titrage::TableExport", "Python, Regressi (*.txt)");
    dialog.setNameFilters({spreadsheet, python});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        dialog.setDefaultSuffix(filter == python ? QStringLiteral("txt") : QStringLiteral("csv"));
    });
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    dialog.selectFile(QCoreApplication::translate("titrage::TableExport", "tableau.csv"));
    if (Messages::execDialog(dialog) != QDialog::Accepted) return {};
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return {};
    const bool forPython = dialog.selectedNameFilter() == python;
    const QString suffix = forPython ? QStringLiteral(".txt") : QStringLiteral(".csv");
    // The dialog's default suffix may still be the spreadsheet's.
    if (forPython && path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) path.chop(4);
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;

    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < table.measurementRows(); ++r) {
        std::vector<std::string> cells;
        for (int col = 0; col < table.columns(); ++col)
            cells.push_back(table.cellText(r, col).toStdString());
        rows.push_back(std::move(cells));
    }
    const std::string csv =
        forPython ? pythonTable(exportParameters(situation),
                                pythonColumnNames(table.dataColumns(), table.phColumn()), rows)
                  : csvTable(exportParameters(situation),
                             columnNames(table.dataColumns(), table.phColumn()), rows);

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
