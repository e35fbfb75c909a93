#pragma once
// The open dialog, "Ouvrir une configuration": the student picks a ".C16"
// file and it is loaded on the bench.

#include "config/browsedialog.h"

class QFrame;
class QLineEdit;

namespace titrage {

class ouvrir : public BrowseDialog {
    Q_OBJECT

public:
    explicit ouvrir(ConfigBench& bench);

    QLineEdit* ficharge = nullptr; // full path of the chosen file
    QFrame* Frame1 = nullptr;      // "Chargement du fichier", hidden until loading

    // The current directory becomes the file list's; ficharge takes the path.
    void File1_Click(const QString& name);
    void File1_DblClick(const QString& name);
    // OUVRIR: nothing for a blank choice; "Nom de fichier incorrect ou chemin
    // non valide" for a name that is not an existing, visible, regular file;
    // otherwise nomfichier := ficharge, lireconfig, and the dialog closes.
    void Command1_Click();
};

} // namespace titrage
