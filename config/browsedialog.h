#pragma once
// What the save and open dialogs share: the drive, directory and file lists
// linked together, the two buttons, and the place beside the main window.

#include "config/configbench.h"
#include "config/filelists.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace titrage {

class BrowseDialog : public QDialog {
    Q_OBJECT

public:
    DriveList* Drive1 = nullptr;
    DirList* Dir1 = nullptr;
    FileList* File1 = nullptr;
    QPushButton* Command1 = nullptr; // "ENREGISTRER" / "OUVRIR"
    QPushButton* Command2 = nullptr; // "ANNULER"
    QLabel* lecteurLabel = nullptr;
    QLabel* repertoireLabel = nullptr;
    QLabel* fichiersLabel = nullptr;

    // The dialog's top-left corner, 20 pixels right of and below the main
    // window's.
    static QPoint placeBeside(const QWidget* bench);

    // Handlers of the lists and of "ANNULER".
    void Drive1_Change(const QString& root);
    void Dir1_Change();
    void Command2_Click();

protected:
    BrowseDialog(ConfigBench& bench, const QString& objectName, const QString& title,
                 const QString& dirCaption, const QString& filesCaption, const QString& command1);

    // Puts the lists on the process's current directory.
    void startLists();
    // The separators a typed name may hold, the platform's first.
    static std::string separators();

    ConfigBench& m_bench;
};

} // namespace titrage
