#pragma once
// Qt's own texts (context menus, file and print dialogs, message-box buttons)
// in French whatever the machine's locale, as the rest of the program speaks.

class QCoreApplication;
class QFileDialog;

namespace titrage {

// Loads Qt's French translations into `app` and makes French the default
// locale. Returns false when the translation files are not installed (the
// program then runs with Qt's English texts).
bool installFrenchTranslations(QCoreApplication& app);

// The captions every file dialog of the program shows, those of the
// configuration dialogs: "Répertoire:", "Nom du fichier:", "Type:" and the
// buttons "OUVRIR" (or "ENREGISTRER", "CHOISIR" for a folder) and "ANNULER".
// Makes the dialog Qt's own (not the desktop's, whose captions cannot be
// set). Call it once the dialog's accept and file modes are set.
void useProgramCaptions(QFileDialog& dialog);

} // namespace titrage
