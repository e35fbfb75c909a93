#pragma once
// The save dialog, "Enregistrer les paramètres.": the student names a file
// and the configuration is written there.

#include "config/browsedialog.h"

class QLineEdit;

namespace titrage {

struct ConfigData;

// What a save writes: the three check boxes and the ten situations as the
// store holds them (the caller first stores the bench, see ConfigBench).
ConfigData benchConfiguration(const ConfigBench& bench);

class enregistrer : public BrowseDialog {
    Q_OBJECT

public:
    // The lists start on the current directory; the name field offers
    // nomfichier.
    explicit enregistrer(ConfigBench& bench);

    QLineEdit* Text1 = nullptr; // "Nom du fichier:"

    // ENREGISTRER: builds the name, asks before overwriting, writes the file.
    // On success nomfichier and the title name the file and the dialog
    // closes. When the writing fails, "Ecriture impossible sur disque" is
    // shown and the dialog stays open: nomfichier and the title keep the last
    // file really saved or opened.
    void Command1_Click();
    // A name field holding a separator keeps only what follows the last one.
    void File1_PathChange();
    void File1_DblClick(const QString& name);
};

} // namespace titrage
