#include "config/ouvrir.h"

#include "config/lireconfig.h"
#include "platform/benchscale.h"
#include "platform/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace titrage {

ouvrir::ouvrir(ConfigBench& bench)
    : BrowseDialog(bench, QStringLiteral("ouvrir"), tr("Ouvrir une configuration"),
                   tr("Répertoire"), tr("Fichiers"), tr("OUVRIR"))
{
    ficharge = new QLineEdit(this);
    ficharge->setObjectName(QStringLiteral("ficharge"));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    auto* picture = new QLabel(Frame1);
    picture->setPixmap(iconPicture(style()->standardIcon(QStyle::SP_DriveHDIcon), 32,
                                   benchScale(bench.benchWindow())));
    auto* loading = new QLabel(tr("Chargement du fichier"), Frame1);
    auto* frameLayout = new QHBoxLayout(Frame1);
    frameLayout->addWidget(picture);
    frameLayout->addWidget(loading, 1);
    Frame1->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(lecteurLabel, 0, 0);
    grid->addWidget(Drive1, 1, 0);
    grid->addWidget(repertoireLabel, 2, 0);
    grid->addWidget(Dir1, 3, 0);
    grid->addWidget(fichiersLabel, 0, 1);
    grid->addWidget(File1, 1, 1, 3, 1);
    grid->addWidget(ficharge, 4, 0, 1, 2);
    grid->addWidget(Frame1, 5, 0, 1, 2);
    grid->addWidget(Command1, 6, 0);
    grid->addWidget(Command2, 6, 1);
    resize(460, 380);

    connect(File1, &FileList::fileClicked, this, &ouvrir::File1_Click);
    connect(File1, &FileList::fileDoubleClicked, this, &ouvrir::File1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &ouvrir::Command1_Click);

    startLists();
    scaleWithBench(this);
}

void ouvrir::File1_Click(const QString& name)
{
    const QString folder = File1->path();
    QDir::setCurrent(QDir::fromNativeSeparators(folder));
    const QString separator = QDir::separator();
    ficharge->setText(folder + (folder.endsWith(separator) ? QString() : separator) + name);
}

void ouvrir::File1_DblClick(const QString&)
{
    Command1_Click();
}

void ouvrir::Command1_Click()
{
    const QString chosen = ficharge->text();
    if (chosen.trimmed().isEmpty()) return;
    m_bench.setNomfichier(chosen);
    const QFileInfo info(chosen);
    if (!info.exists() || !info.isFile() || info.isHidden()) {
        Messages::inform(this, tr("impossible d'ouvrir ce fichier"),
                         tr("Nom de fichier incorrect ou chemin non valide"),
                         MessageIcon::Critical);
        return;
    }
    Frame1->show();
    lireconfig(m_bench, this);
    accept();
}

} // namespace titrage
