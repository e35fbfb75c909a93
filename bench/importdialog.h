#pragma once
// "Importer des mesures…": a class's measurements pasted from a spreadsheet or
// read from a CSV or text file, with the unit of sigma when the header does
// not name it. The table is read when the teacher clicks "Importer"; a table
// that is not one keeps the dialog open after its message, nothing imported.

#include "model/measurementimport.h"

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace titrage {

class ImportDialog : public QDialog {
    Q_OBJECT

public:
    explicit ImportDialog(QWidget* parent = nullptr);

    QPlainTextEdit* collage = nullptr;    // the pasted (or read) table
    QComboBox* unitesigma = nullptr;      // "d'après l'en-tête", S/m, mS/m, mS/cm, µS/cm
    QPushButton* ouvrirfichier = nullptr; // "Ouvrir un fichier…"

    // The points read by the last accepted "Importer".
    const MeasurementImport& imported() const { return m_import; }
    SigmaUnit chosenUnit() const;
    // Puts the file's text in the box: UTF-8, or Windows-1252 as a French
    // spreadsheet saves it. A file too large or unreadable gives a message and
    // leaves the box as it was. A text too long to lay out quickly (a data
    // logger's thousands of lines, or a hostile line of megabytes) is kept
    // aside and read as it is, the box saying so.
    bool loadFile(const QString& path);
    // Whether the last file is kept aside rather than shown.
    bool fileKeptAside() const { return !m_fileText.isEmpty(); }

    void accept() override;

private:
    void chooseFile();

    MeasurementImport m_import;
    QString m_fileText; // a file too long to show, read on "Importer"
};

} // namespace titrage
