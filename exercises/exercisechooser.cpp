#include "exercises/exercisechooser.h"

#include "exercises/core/exercisefile.h"
#include "exercises/exercisemessages.h"
#include "platform/benchscale.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

const char* const kCorrected = QT_TRANSLATE_NOOP("titrage::ExerciseChooser", "Exercice corrigé");
const char* const kNotCorrected = QT_TRANSLATE_NOOP("titrage::ExerciseChooser", "Non corrigé");
// A transparent picture of `design` size drawn `scale` times larger, crisp.
QPixmap scaledPicture(QSize design, double scale)
{
    QPixmap pixmap(std::max(1, static_cast<int>(std::lround(design.width() * scale))),
                   std::max(1, static_cast<int>(std::lround(design.height() * scale))));
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// `count` hourglasses side by side, one per estimated unit of time.
QPixmap hourglasses(int count, double scale)
{
    constexpr int w = 14;
    constexpr int h = 20;
    QPixmap pixmap = scaledPicture(QSize(std::max(1, count * (w + 4)), h), scale);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    for (int i = 0; i < count; ++i) {
        const double x = i * (w + 4) + 1;
        const QPolygonF glass{{x, 2},
                              {x + w - 2, 2},
                              {x + w / 2.0 - 1, h / 2.0},
                              {x + w - 2, h - 2.0},
                              {x, h - 2.0},
                              {x + w / 2.0 - 1, h / 2.0}};
        p.setPen(QPen(QColor(90, 60, 20), 1.2));
        p.setBrush(QColor(235, 225, 200));
        p.drawPolygon(glass);
        p.setBrush(QColor(210, 160, 40));
        p.setPen(Qt::NoPen);
        p.drawPolygon(
            QPolygonF{{x + 3, h - 3.0}, {x + w - 5, h - 3.0}, {x + w / 2.0 - 1, h - 8.0}});
        p.setPen(QPen(QColor(90, 60, 20), 2));
        p.drawLine(QPointF(x - 1, 1), QPointF(x + w - 1, 1));
        p.drawLine(QPointF(x - 1, h - 1.0), QPointF(x + w - 1, h - 1.0));
    }
    return pixmap;
}

QPixmap starPicture(bool lit, double scale)
{
    QPixmap pixmap = scaledPicture(QSize(22, 22), scale);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
        const double r = (k % 2 == 0) ? 10.0 : 4.2;
        const double a = -M_PI / 2 + k * M_PI / 5;
        const QPointF pt(11 + r * std::cos(a), 11 + r * std::sin(a));
        if (k == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(lit ? QColor(160, 110, 0) : QColor(70, 70, 70), 1));
    p.setBrush(lit ? QColor(255, 210, 0) : QColor(120, 120, 120));
    p.drawPath(star);
    return pixmap;
}

} // namespace

void ShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    const QRect area = contentsRect();
    p.setPen(QColor(128, 128, 128));
    // The shadow's offset grows with the text.
    const int shadow = static_cast<int>(std::lround(2 * benchScale(this)));
    p.drawText(area.translated(shadow, shadow), int(alignment()), text());
    p.setPen(QColor(0, 0, 200));
    p.drawText(area, int(alignment()), text());
}

ExerciseChooser::ExerciseChooser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Fichexo"));
    setWindowTitle(tr("Ouvrir un exercice"));
    setModal(true);

    auto* heading = new QLabel(tr("Ouvrir un exercice"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSize(14);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = new DirList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1 = new FileList(QStringLiteral("*.E42"), this);
    File1->setObjectName(QStringLiteral("File1"));
    // The shipped exercises progress EXO1, EXO2 … EXO10, not EXO1, EXO10, EXO11, EXO2.
    File1->setNaturalOrder(true);
    File1->installEventFilter(this);
    fichierexo = new QLineEdit(this);
    fichierexo->setObjectName(QStringLiteral("fichierexo"));
    fichierexo->setReadOnly(true);

    selectionner = new QLabel(tr("Sélectionner un fichier"), this);
    selectionner->setObjectName(QStringLiteral("selectionner"));
    titre = new QLabel(this);
    titre->setObjectName(QStringLiteral("titre"));
    titre->setWordWrap(true);
    QFont titleFont = titre->font();
    titleFont.setBold(true);
    titleFont.setPointSize(11);
    titre->setFont(titleFont);
    notionsLabel = new QLabel(tr("Notions abordées :"), this);
    notions = new QTextEdit(this);
    notions->setObjectName(QStringLiteral("notions"));
    notions->setReadOnly(true);
    notions->setMaximumHeight(90);
    niveau = new QLabel(tr("Niveau de difficulté :"), this);
    auto* stars = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        etoile[static_cast<std::size_t>(i)] = new QLabel(this);
        etoile[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("etoile(%1)").arg(i));
        stars->addWidget(etoile[static_cast<std::size_t>(i)]);
    }
    stars->addStretch(1);
    sabliers = new QLabel(this);
    sabliers->setObjectName(QStringLiteral("sabliers"));
    corrigeLabel = new ShadowLabel(this);
    corrigeLabel->setObjectName(QStringLiteral("corrige"));
    QFont corrigeFont = corrigeLabel->font();
    corrigeFont.setBold(true);
    corrigeFont.setPointSize(12);
    corrigeLabel->setFont(corrigeFont);
    corrigeLabel->setMinimumHeight(28);

    ouvreur = new QPushButton(tr("Ouvrir l'exercice sélectionné"), this);
    ouvreur->setObjectName(QStringLiteral("ouvreur"));
    ouvreur->setAutoDefault(false);
    fermer = new QToolButton(this);
    fermer->setObjectName(QStringLiteral("fermer"));
    fermer->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    fermer->setToolTip(tr("Fermer sans charger d'exercice"));
    fermer->setAutoRaise(true);

    attente = new QFrame(this);
    attente->setObjectName(QStringLiteral("attente"));
    attente->setFrameShape(QFrame::Box);
    auto* waitLayout = new QVBoxLayout(attente);
    waitLayout->addWidget(new QLabel(tr(" Chargement des fichiers"), attente));
    waitLayout->addWidget(new QLabel(tr("Patienter quelques instants"), attente));
    attente->hide();

    exercicesFournis = new QPushButton(tr("Exercices fournis"), this);
    exercicesFournis->setObjectName(QStringLiteral("exercicesFournis"));
    exercicesFournis->setAutoDefault(false);
    mesExercices = new QPushButton(tr("Mes exercices"), this);
    mesExercices->setObjectName(QStringLiteral("mesExercices"));
    mesExercices->setAutoDefault(false);
    mesExercices->setEnabled(false);
    auto* listHeading = new QHBoxLayout;
    listHeading->addWidget(new QLabel(tr("Liste des exercices:"), this), 1);
    listHeading->addWidget(exercicesFournis);
    listHeading->addWidget(mesExercices);

    auto* grid = new QGridLayout(this);
    grid->addWidget(heading, 0, 0);
    grid->addWidget(fermer, 0, 1, Qt::AlignRight);
    grid->addLayout(listHeading, 1, 0);
    grid->addWidget(Drive1, 2, 0);
    grid->addWidget(Dir1, 3, 0);
    grid->addWidget(File1, 4, 0, 6, 1);
    grid->addWidget(fichierexo, 10, 0, 1, 2);
    grid->addWidget(selectionner, 1, 1);
    grid->addWidget(titre, 2, 1);
    grid->addWidget(notionsLabel, 3, 1);
    grid->addWidget(notions, 4, 1);
    grid->addWidget(niveau, 5, 1);
    grid->addLayout(stars, 6, 1);
    grid->addWidget(sabliers, 7, 1);
    grid->addWidget(corrigeLabel, 8, 1);
    grid->addWidget(attente, 9, 1);
    grid->addWidget(ouvreur, 11, 0, 1, 2);
    resize(640, 460);

    connect(Drive1, &DriveList::driveChosen, this, [this](const QString& root) {
        // A drive that is not ready cannot be chosen: back to the directory's.
        if (!Dir1->setPath(root)) Drive1->setDrive(DriveList::driveOf(Dir1->path()));
        File1->setPath(Dir1->path());
    });
    connect(Dir1, &DirList::pathChanged, this, [this] {
        Drive1->setDrive(DriveList::driveOf(Dir1->path()));
        File1->setPath(Dir1->path());
    });
    connect(File1, &FileList::fileClicked, this, &ExerciseChooser::File1_Click);
    connect(File1, &FileList::fileDoubleClicked, this, &ExerciseChooser::ouvreurRequested);
    connect(ouvreur, &QPushButton::clicked, this, &ExerciseChooser::ouvreurRequested);
    connect(fermer, &QToolButton::clicked, this, &QDialog::reject);
    connect(exercicesFournis, &QPushButton::clicked, this, [this] { start(m_shipped); });
    connect(mesExercices, &QPushButton::clicked, this, [this] { start(m_own); });

    clearPreview();
    scaleWithBench(this);
}

bool ExerciseChooser::corrected() const
{
    return corrigeLabel->text() == tr(kCorrected);
}

bool ExerciseChooser::starLit(int i) const
{
    return etoile[static_cast<std::size_t>(i)]->property("lit").toBool();
}

void ExerciseChooser::setStar(int i, bool lit)
{
    QLabel* star = etoile[static_cast<std::size_t>(i)];
    star->setPixmap(starPicture(lit, benchScale(this)));
    star->setProperty("lit", lit);
}

void ExerciseChooser::start(const QString& folder)
{
    Dir1->setPath(QDir::toNativeSeparators(folder));
    Drive1->setDrive(DriveList::driveOf(Dir1->path()));
    File1->setPath(Dir1->path());
    if (File1->count() > 0) {
        // Making it current previews it (File1_Click), once.
        File1->setCurrentRow(0);
        File1->setFocus();
    }
}

void ExerciseChooser::setPlaces(const QString& shipped, const QString& own)
{
    m_shipped = shipped;
    m_own = own;
    exercicesFournis->setEnabled(!shipped.isEmpty());
    mesExercices->setEnabled(!own.isEmpty() && QDir(own).exists());
}

bool ExerciseChooser::choose(const QString& path)
{
    const QFileInfo info(path);
    QString folder = QDir::toNativeSeparators(info.absolutePath());
    if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
    m_repexo = folder;
    fichierexo->setText(m_repexo + info.fileName());
    return apercu();
}

void ExerciseChooser::File1_Click(const QString& name)
{
    const QString folder = File1->path();
    QDir::setCurrent(QDir::fromNativeSeparators(folder));
    m_repexo = folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
    fichierexo->setText(m_repexo + name);
    apercu();
}

void ExerciseChooser::clearPreview()
{
    notions->clear();
    sabliers->clear();
    m_hourglasses = 0;
    for (QLabel* star : etoile)
        star->hide();
    niveau->hide();
    ouvreur->hide();
    titre->hide();
    notionsLabel->hide();
    notions->hide();
    corrigeLabel->hide();
    selectionner->show();
}

bool ExerciseChooser::apercu()
{
    clearPreview();
    if (!moreThanBlanks(fichierexo->text().toStdString())) return true;
    selectionner->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{titre, notionsLabel, notions, niveau,
                                                      corrigeLabel, ouvreur})
        w->show();
    const std::optional<ExerciseFile> file =
        readExercise(QFile::encodeName(fichierexo->text()).toStdString());
    if (!file) {
        titre->clear();
        corrigeLabel->clear();
        warnExerciseUnreadable(this);
        return false;
    }
    corrigeLabel->setText(tr(file->corrected() ? kCorrected : kNotCorrected));
    const double d = file->difficulty();
    for (int i = 0; i < 3; ++i) {
        setStar(i, d > i);
        etoile[static_cast<std::size_t>(i)]->show();
    }
    for (const std::string& line : file->notions())
        notions->append(QString::fromStdString(line));
    titre->setText(QString::fromStdString(file->title()));
    m_hourglasses = file->hourglasses();
    sabliers->setPixmap(hourglasses(m_hourglasses, benchScale(this)));
    return true;
}

bool ExerciseChooser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == File1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit ouvreurRequested();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace titrage
