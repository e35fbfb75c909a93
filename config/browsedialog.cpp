#include "config/browsedialog.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace titrage {

BrowseDialog::BrowseDialog(ConfigBench& bench, const QString& objectName, const QString& title,
                           const QString& dirCaption, const QString& filesCaption,
                           const QString& command1)
    : QDialog(bench.benchWindow()), m_bench(bench)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(true);

    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new DirList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new FileList(QStringLiteral("*.C16"), this);
    File1->setObjectName(QStringLiteral("File1"));
    lecteurLabel = new QLabel(tr("Lecteur:"), this);
    repertoireLabel = new QLabel(dirCaption, this);
    fichiersLabel = new QLabel(filesCaption, this);

    Command1 = new QPushButton(command1, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(tr("ANNULER"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    // Enter belongs to the name field and the lists, never to a default button.
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(Drive1, &DriveList::driveChosen, this, &BrowseDialog::Drive1_Change);
    connect(Dir1, &DirList::pathChanged, this, &BrowseDialog::Dir1_Change);
    connect(Command2, &QPushButton::clicked, this, &BrowseDialog::Command2_Click);

    if (const QWidget* window = bench.benchWindow()) move(placeBeside(window));
}

QPoint BrowseDialog::placeBeside(const QWidget* bench)
{
    return bench->frameGeometry().topLeft() + QPoint(20, 20);
}

void BrowseDialog::startLists()
{
    Dir1->setPath(QDir::toNativeSeparators(QDir::currentPath()));
    Drive1->setDrive(DriveList::driveOf(Dir1->path()));
    File1->setPath(Dir1->path());
}

std::string BrowseDialog::separators()
{
    std::string s(1, QDir::separator().toLatin1());
    if (s != "/") s += '/';
    return s;
}

void BrowseDialog::Drive1_Change(const QString& root)
{
    // A drive that is not ready cannot be chosen: back to the directory's.
    if (!Dir1->setPath(root)) Drive1->setDrive(DriveList::driveOf(Dir1->path()));
    File1->setPath(Dir1->path());
}

void BrowseDialog::Dir1_Change()
{
    Drive1->setDrive(DriveList::driveOf(Dir1->path()));
    File1->setPath(Dir1->path());
}

void BrowseDialog::Command2_Click()
{
    reject();
}

} // namespace titrage
