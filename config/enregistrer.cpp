#include "config/enregistrer.h"

#include "config/core/configfile.h"
#include "config/lireconfig.h"
#include "platform/benchscale.h"
#include "platform/messages.h"
#include "platform/savefolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace titrage {

ConfigData benchConfiguration(const ConfigBench& bench)
{
    ConfigData data;
    data.masquer = bench.isTicked(ConfigCheck::Masquer);
    data.check1 = bench.isTicked(ConfigCheck::Check1);
    data.check2 = bench.isTicked(ConfigCheck::Check2);
    data.sit = bench.situationStore().sit;
    return data;
}

namespace {

void cannotSave(QWidget* parent, const QString& text)
{
    Messages::inform(
        parent, QCoreApplication::translate("titrage::enregistrer", "Enregistrement impossible"),
        text, MessageIcon::Critical);
}

} // namespace

enregistrer::enregistrer(ConfigBench& bench)
    : BrowseDialog(bench, QStringLiteral("enregistrer"), tr("Enregistrer les paramètres."),
                   tr("Répertoire:"), tr("Fichiers enregistrés"), tr("ENREGISTRER"))
{
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    auto* nameLabel = new QLabel(tr("Nom du fichier:"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(nameLabel, 0, 0, 1, 2);
    grid->addWidget(Text1, 1, 0, 1, 2);
    grid->addWidget(lecteurLabel, 2, 0);
    grid->addWidget(Drive1, 3, 0);
    grid->addWidget(repertoireLabel, 4, 0);
    grid->addWidget(Dir1, 5, 0);
    grid->addWidget(fichiersLabel, 2, 1);
    grid->addWidget(File1, 3, 1, 3, 1);
    grid->addWidget(Command1, 6, 0);
    grid->addWidget(Command2, 6, 1);
    resize(460, 360);

    connect(File1, &FileList::pathChanged, this, &enregistrer::File1_PathChange);
    connect(File1, &FileList::fileDoubleClicked, this, &enregistrer::File1_DblClick);
    connect(Text1, &QLineEdit::returnPressed, this, &enregistrer::Command1_Click);
    connect(Command1, &QPushButton::clicked, this, &enregistrer::Command1_Click);

    startLists();
    // After a shipped exercise the lists and the name would point at the
    // program's own files: the user's documents and the bare name instead.
    const QString shipped = bench.shippedFolder();
    if (isInsideFolder(Dir1->path(), shipped)) {
        Dir1->setPath(QDir::toNativeSeparators(documentsFolder()));
        Drive1->setDrive(DriveList::driveOf(Dir1->path()));
        File1->setPath(Dir1->path());
    }
    const QString offered = bench.nomfichier();
    Text1->setText(isInsideFolder(offered, shipped) ? QFileInfo(offered).fileName() : offered);
    // The name is what the student came to type: the dialog opens on it, and
    // Tab then goes through the lists.
    setTabOrder(Text1, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();
    Text1->selectAll();
    scaleWithBench(this);
}

void enregistrer::File1_PathChange()
{
    const QString name = Text1->text();
    int last = -1;
    for (const char s : separators())
        last = std::max(last, static_cast<int>(name.lastIndexOf(QLatin1Char(s))));
    if (last >= 0) Text1->setText(name.mid(last + 1));
}

void enregistrer::File1_DblClick(const QString& name)
{
    Text1->setText(name);
    Command1_Click();
}

void enregistrer::Command1_Click()
{
    setCursor(Qt::WaitCursor);
    const auto built =
        saveFileName(Text1->text().toStdString(), Dir1->path().toStdString(), separators());
    if (!built) {
        unsetCursor();
        cannotSave(this, tr("Il faut donner un nom au fichier!"));
        return;
    }
    // A relative path typed in the field is taken from the listed folder, so
    // that nomfichier always holds a full path.
    const QString folder = QDir::fromNativeSeparators(File1->path());
    const QString path = QDir::toNativeSeparators(QDir::cleanPath(
        QDir(folder).absoluteFilePath(QDir::fromNativeSeparators(QString::fromStdString(*built)))));
    Text1->setText(path);
    QDir::setCurrent(folder);

    // Any existing file gets the question, hidden ones too: nothing is
    // overwritten unasked.
    const QFileInfo existing(path);
    if (existing.exists() && existing.isFile()) {
        const MessageAnswer answer =
            Messages::ask(this, {tr("Ce fichier existe déjà!"), tr("Ecraser le fichier existant?"),
                                 MessageIcon::Exclamation, MessageButtons::YesNo});
        if (answer != MessageAnswer::Yes) {
            unsetCursor();
            return;
        }
    }

    const ConfigWriteStatus status =
        writeConfiguration(QFile::encodeName(path).toStdString(), benchConfiguration(m_bench));
    unsetCursor();
    if (status != ConfigWriteStatus::Ok) {
        cannotSave(this, tr("Ecriture impossible sur disque"));
        return;
    }
    m_bench.setNomfichier(path);
    m_bench.setBenchTitle(benchTitleFor(path));
    accept();
}

} // namespace titrage
