#pragma once
// "Créer un exercice…": a teacher turns the exercise window's text and the
// bench's situations into an exercise of her own, which the chooser then
// opens like the shipped ones.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace titrage {

class ExerciseHost;
struct ExerciseDraft;

// The folder offered for a teacher's exercises: "Exercices de titrage" in
// her documents folder.
QString userExercisesFolder();

class ExerciseCreator : public QDialog {
    Q_OBJECT

public:
    // `folder`: where the dialog offers to write (the last one used).
    ExerciseCreator(ExerciseHost& host, const QString& folder);

    QLineEdit* titre = nullptr;
    QSpinBox* difficulte = nullptr;
    QLineEdit* notion[4]{};
    QSpinBox* duree = nullptr;
    QRadioButton* enonceFenetre = nullptr; // the exercise window's text
    QRadioButton* enonceFichier = nullptr; // an RTF or text file
    QLineEdit* fichierEnonce = nullptr;
    QLineEdit* fichierCorrection = nullptr; // blank: no correction
    QCheckBox* configEnonce = nullptr;      // the bench's situations with the statement
    QCheckBox* configCorrection = nullptr;  // ... and, concentration shown, with the correction
    QLineEdit* nom = nullptr;
    QLineEdit* dossier = nullptr;

    // "Créer": checks, asks before replacing an exercise of the same name,
    // writes. The dialog closes only once the files are written.
    void create();

private:
    // The draft from the fields; a French message when a file cannot be read.
    bool buildDraft(ExerciseDraft& draft, QString& problem);
    void browseFile(QLineEdit* field);
    void browseFolder();

    ExerciseHost& m_host;
};

} // namespace titrage
