#pragma once
// The modal chooser of "Ouvrir un exercice": drive, directory and file lists
// of "*.E42" files, and a preview of the selected exercise (title, notions,
// difficulty stars, hourglasses, whether it is corrected).

#include "config/filelists.h"

#include <QDialog>
#include <QLabel>

#include <array>

class QFrame;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace titrage {

// A caption drawn twice, dark and offset first, as a shadow.
class ShadowLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class ExerciseChooser : public QDialog {
    Q_OBJECT

public:
    explicit ExerciseChooser(QWidget* parent = nullptr);

    DriveList* Drive1 = nullptr;
    DirList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    QLineEdit* fichierexo = nullptr;
    QLabel* selectionner = nullptr; // "Sélectionner un fichier", before a file is chosen
    QLabel* titre = nullptr;
    QLabel* notionsLabel = nullptr; // "Notions abordées :"
    QTextEdit* notions = nullptr;
    QLabel* niveau = nullptr; // "Niveau de difficulté :"
    std::array<QLabel*, 3> etoile{};
    QLabel* sabliers = nullptr;
    ShadowLabel* corrigeLabel = nullptr; // "Exercice corrigé" / "Non corrigé"
    QPushButton* ouvreur = nullptr;
    QToolButton* fermer = nullptr;
    QFrame* attente = nullptr; // " Chargement des fichiers" / "Patienter quelques instants"
    QPushButton* exercicesFournis = nullptr; // back to the shipped exercises
    QPushButton* mesExercices = nullptr;     // the teacher's own (userExercisesFolder)

    // The folder of the selected exercise, with a final separator.
    QString repexo() const { return m_repexo; }
    // The preview reads "Exercice corrigé".
    bool corrected() const;
    // Whether star i shows the lit picture.
    bool starLit(int i) const;
    // How many hourglasses the preview shows.
    int hourglassCount() const { return m_hourglasses; }

    // Puts the lists on `folder` and selects its first exercise, if any.
    void start(const QString& folder);
    // The two folders the buttons "Exercices fournis" and "Mes exercices" go
    // to; "Mes exercices" is enabled only while that folder exists.
    void setPlaces(const QString& shipped, const QString& own);
    // Makes `path` the selected exercise and previews it, without the lists;
    // false (after the message) when it cannot be read.
    bool choose(const QString& path);

    void File1_Click(const QString& name);
    // Builds the preview of fichierexo; false (after the message) when the
    // file cannot be read.
    bool apercu();

signals:
    // Double-click, Enter in the file list or the button: open the exercise.
    void ouvreurRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearPreview();
    void setStar(int i, bool lit);

    QString m_repexo;
    QString m_shipped, m_own;
    int m_hourglasses = 0;
};

} // namespace titrage
