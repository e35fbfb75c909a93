#include "printing/printersetup.h"

#include "platform/benchscale.h"
#include "platform/frenchtranslations.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace titrage {

PrinterSetup PrinterSetup::of(const QPrinter& printer)
{
    PrinterSetup s;
    s.format = printer.outputFormat();
    s.printerName = printer.printerName();
    s.fileName = printer.outputFileName();
    s.layout = printer.pageLayout();
    s.colorMode = printer.colorMode();
    s.duplex = printer.duplex();
    s.pageOrder = printer.pageOrder();
    s.fullPage = printer.fullPage();
    return s;
}

void PrinterSetup::applyTo(QPrinter& printer) const
{
    if (format == QPrinter::PdfFormat) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        if (!printerName.isEmpty()) printer.setPrinterName(printerName);
    }
    printer.setFullPage(fullPage);
    printer.setPageLayout(layout);
    printer.setColorMode(colorMode);
    printer.setDuplex(duplex);
    printer.setPageOrder(pageOrder);
}

std::unique_ptr<QPrinter> freshPrinter(const QPrinter& setup)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrinterSetup::of(setup).applyTo(*printer);
    return printer;
}

bool needsPdfFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
}

QString pdfFileFor(const QString& title)
{
    QString name;
    for (const QChar c : title.trimmed())
        name += (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
                    ? QChar(u'_')
                    : c;
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    name = name.trimmed();
    if (name.isEmpty()) name = QStringLiteral("impression");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

std::optional<QString> askPdfFile(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent,
                       QCoreApplication::translate("PrinterSetup", "Imprimer dans un fichier PDF"),
                       QFileInfo(suggested).absolutePath(),
                       QCoreApplication::translate("PrinterSetup", "Document PDF (*.pdf *.PDF)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    useProgramCaptions(dialog);
    scaleWithBench(&dialog);
    dialog.selectFile(QFileInfo(suggested).fileName());
    if (Messages::execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path)) {
        const MessageAnswer answer = Messages::ask(
            parent, {QCoreApplication::translate("PrinterSetup", "Ecraser le fichier?"),
                     QCoreApplication::translate("PrinterSetup",
                                                 "Le fichier %1 existe déjà.\nEcraser l'ancien?")
                         .arg(path),
                     MessageIcon::Exclamation, MessageButtons::OkCancel});
        if (answer != MessageAnswer::Ok) return std::nullopt;
    }
    return path;
}

} // namespace titrage
