#pragma once
// The printer set-up as plain values, so that every printing paints on a
// printer of its own (one that failed to start is never reused) while the
// choices made in "&Imprimantes" hold; and printing to a PDF file where no
// printer is installed, its name asked through a French save dialog.

#include <QPageLayout>
#include <QPrinter>
#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace titrage {

struct PrinterSetup {
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    QString printerName;
    QString fileName; // PDF output
    QPageLayout layout;
    QPrinter::ColorMode colorMode = QPrinter::Color;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::PageOrder pageOrder = QPrinter::FirstPageFirst;
    bool fullPage = false;

    static PrinterSetup of(const QPrinter& printer);
    void applyTo(QPrinter& printer) const;
};

// A new high-resolution printer set up as `setup`.
std::unique_ptr<QPrinter> freshPrinter(const QPrinter& setup);

// Output goes to a PDF file whose name is not chosen yet: what a printer
// gives where none is installed.
bool needsPdfFile(const QPrinter& printer);

// "<documents folder>/<title>.pdf", with the characters no file name may hold
// replaced; "impression.pdf" for a title with nothing usable.
QString pdfFileFor(const QString& title);

// The French save dialog for a PDF file, starting on `suggested`, through the
// dialog seam; an existing file is overwritten only when the student agrees.
// Nothing when cancelled.
std::optional<QString> askPdfFile(QWidget* parent, const QString& suggested);

} // namespace titrage
