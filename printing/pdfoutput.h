#pragma once
// Printing into a file as safely as a save. The printer writes its pages into
// a temporary file beside the chosen one (same folder, so the final rename is
// atomic); the file is checked whole (the painting ended well, the printer is
// not in error, the PDF is complete and its size on disk is what was read
// back), and only then replaces the chosen file. Any failure removes the
// temporary, keeps the older file byte for byte and says so in French.

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace titrage {

// The pages go to a file rather than to a printer.
bool printsToFile(const QPrinter& printer);

// What the student reads when the file `path` could not be written.
// `oldKept`: a file of that name existed and is left as it was.
QString pdfNotWrittenText(const QString& path, bool oldKept);

// Paints with `paint` on `printer`, whose output file is the target, through
// a temporary file; `paint` returns false when the painting failed. True when
// the target now holds the new document; otherwise the message is shown with
// `parent` and the target is as it was.
bool printToFile(QWidget* parent, QPrinter& printer, const std::function<bool(QPrinter&)>& paint);

} // namespace titrage
