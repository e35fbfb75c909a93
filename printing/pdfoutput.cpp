#include "printing/pdfoutput.h"

#include "platform/messages.h"
#include "platform/core/safesave.h"
#include "printing/core/pdfcheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QPrinter>

#include <string>
#include <sys/stat.h>

namespace titrage {

bool printsToFile(const QPrinter& printer)
{
    return !printer.outputFileName().isEmpty();
}

QString pdfNotWrittenText(const QString& path, bool oldKept)
{
    QString text =
        QCoreApplication::translate("PdfOutput", "Ecriture impossible sur disque : le document n'a "
                                                 "pas pu être écrit dans le fichier %1.")
            .arg(path);
    if (oldKept)
        text += u'\n' + QCoreApplication::translate("PdfOutput", "L'ancien fichier est conservé.");
    return text;
}

bool printToFile(QWidget* parent, QPrinter& printer, const std::function<bool(QPrinter&)>& paint)
{
    const QString target = printer.outputFileName();
    const std::string path = QFile::encodeName(target).toStdString();
    struct stat before {};
    const bool existed = ::lstat(path.c_str(), &before) == 0;

    SafeSave save(path);
    bool printed = false;
    if (save.open()) {
        printer.setOutputFileName(QFile::decodeName(save.temporaryPath().c_str()));
        const bool painted = paint(printer) && printer.printerState() != QPrinter::Error;
        // The printer names the file chosen again, whatever happened.
        printer.setOutputFileName(target);
        // The size the document's structure accounts for is the size on disk.
        const std::int64_t size = save.temporarySize();
        printed = painted &&
                  isCompletePdf(size,
                                [&save](std::int64_t offset, std::size_t length) {
                                    return save.readAt(offset, length);
                                }) &&
                  save.commitWritten(size);
    }
    if (!printed) {
        save.cancel();
        Messages::inform(parent, QCoreApplication::translate("PdfOutput", "Imprimer"),
                         pdfNotWrittenText(target, existed), MessageIcon::Critical);
    }
    return printed;
}

} // namespace titrage
