#pragma once
// The exercise menu of the main window's button btexo and what its entries
// do: the getting-started activity, the exercise chooser, the correction, the
// student's own text (save, reopen, print) and closing the exercise. Texts
// appear in the main window's rich-text area `supertext`.

#include "exercises/exercisehost.h"

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;

namespace titrage {

class ExerciseChooser;

class Fichexo : public QObject {
    Q_OBJECT

public:
    Fichexo(ExerciseHost& host, QObject* parent = nullptr);
    ~Fichexo() override;

    // The `fich` field, a child of the main window (the window places it).
    QLineEdit* fich() const { return m_fich; }
    // The exercise menu; its entries bear the names PRISENMAIN, openexo,
    // opencor, mareponse, creerexo, savetexte, opentexte, imprimetexte and Closexo.
    QMenu* optionexo() const { return m_optionexo; }
    // Enables "Voir la correction" when the exercise has one and "Fermer
    // l'exercice" when one is open, then pops the menu up just below btexo's
    // left edge.
    void btexo_Click(QWidget* btexo);
    // The student changed the text since it was loaded or saved.
    bool textemodifie() const { return m_textemodifie; }
    // The launcher asks for an exercise: a path, or a name in the program's
    // folder. Opens it without the chooser.
    void openRequested(const QString& exerciseName);

    // The menu's entries.
    void prisEnMain();
    void openexo();
    void opencor();
    // "Ma réponse…": the student's concentration against the hidden one.
    void mareponse();
    // "Créer un exercice…": the teacher's own exercise from the text and the bench.
    void creerexo();
    void savetexte();
    void opentexte();
    void imprimetexte();
    void closexo();

    // The open exercise's folder (with a final separator) and whether it has
    // a correction.
    QString repexo() const { return m_repexo; }
    bool corrige() const { return m_corrige; }

private:
    // "Abandon des données?" when the text was changed; false on Cancel.
    bool mayDiscardText();
    // Opening an exercise replaces the ten situations: finished curves that
    // did not come from the last configuration loaded here are asked about.
    bool mayDiscardCurves();
    bool mayDiscardWork() { return mayDiscardText() && mayDiscardCurves(); }
    void setFich(const QString& text);
    // Loads `name` (relative to repexo) into supertext; the message when it
    // cannot be loaded.
    bool loadExerciseText(const QString& name);
    void loadConfiguration(const QString& name);
    // The chooser's button: opens the previewed exercise.
    void ouvreur(ExerciseChooser& chooser);
    // The path of `name`, relative to repexo; a name written with "\" on
    // another system still names the file.
    QString exercisePath(const QString& name) const;
    void textEdited();

    ExerciseHost& m_host;
    QLineEdit* m_fich = nullptr;
    QMenu* m_optionexo = nullptr;
    QAction* m_opencor = nullptr;
    QAction* m_mareponse = nullptr;
    QAction* m_closexo = nullptr;
    QString m_repexo;
    QString m_ownFolder; // where "Créer un exercice…" wrote last, or the user's default
    bool m_corrige = false;
    bool m_textemodifie = false;
    // The finished curves as the last configuration loaded here left them.
    std::vector<std::string> m_loadedCurves;
};

} // namespace titrage
