// Window-level behaviour of the bench: wiring of the controls, the status line,
// the key filter of the entry boxes, the tab pages, activation and closing.
#include "bench/core/markerfile.h"
#include "bench/feuillep.h"
#include "bench/helpviewer.h"
#include "bench/hovertexts.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/situationsbar.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "calculator/machine.h"
#include "config/configdialogs.h"
#include "exercises/fichexo.h"
#include "graph/graphview.h"
#include "model/entryvalidation.h"
#include "platform/core/numberformat.h"
#include "platform/layoutscaler.h"
#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>

namespace titrage {

void feuilleP::connectHandlers()
{
    for (int i = 0; i < 2; ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    connect(lbecher, qOverload<int>(&QComboBox::activated), this, [this] { lbecher_Click(); });
    connect(lindic, qOverload<int>(&QComboBox::activated), this, [this] { lindic_Click(); });
    connect(Picture3->masquer, &QCheckBox::clicked, this, [this] { masquer_Click(); });
    connect(command5, &QPushButton::clicked, this, [this] { command5_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(Picture3->optscema[i], &QCheckBox::clicked, this, [this, i] { optscema_Click(i); });
    connect(Picture3->Check1, &QCheckBox::clicked, this,
            [this] { Option2_Click(m_state.current()); });
    connect(Picture3->Check2, &QCheckBox::clicked, this,
            [this] { Option2_Click(m_state.current()); });
    installKeyboardDriving();
    connect(m_situations, &SituationsBar::chosen, this, [this](int k) { Option2_Click(k); });
    connect(Onglets, &TabStrip::pageShown, this, [this](int k) { showPage(k); });
    connect(Onglets, &TabStrip::hovered, this,
            [this] { info->setText(tr("Cliquer sur un onglet pour l'afficher")); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
    // Copies and prints show the bench with the value being typed validated.
    connect(Command4, &QPushButton::clicked, this, [this] {
        validatePendingEntries();
        Command4_Click();
    });
    connect(Command10, &QPushButton::clicked, this, [this] {
        validatePendingEntries();
        Command10_Click();
    });
    connect(btexo, &QPushButton::clicked, this, [this] { m_exercises->btexo_Click(btexo); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void feuilleP::installHoverTexts()
{
    m_hover = new HoverTexts(*info, *this);
    const std::pair<QWidget*, const char*> texts[] = {
        {Image3, QT_TR_NOOP("Utiliser le bouton gauche de la souris pour ouvrir le robinet.")},
        {Picture3->masquer, QT_TR_NOOP("Utiliser cette option pour cacher la concentration.")},
        {Command1, QT_TR_NOOP("Pour retrouver le module principal et quitter cette application")},
        {Command7, QT_TR_NOOP("Si vous rencontrez une difficulté avec cette application")},
        {Command8, QT_TR_NOOP("Afficher la machine à calculer")},
        {Command10, QT_TR_NOOP("Configurer l'imprimante et imprimer l'image")},
        {Command4, QT_TR_NOOP("Copier pour placer l'image dans le presse- papiers puis coller "
                              "depuis Word, Paint...")},
        {Command11, QT_TR_NOOP("Enregistrer les paramètres en cours")},
        {Command2, QT_TR_NOOP("Pour retrouver une situation enregistrée")},
        {btexo, QT_TR_NOOP("Ouvrir un énoncé, enregistrer le texte, obtenir la correction, "
                           "imprimer ou fermer")},
    };
    for (const auto& [widget, text] : texts)
        m_hover->add(widget, tr(text));
    // The copy confirmation stays in place over "Copier".
    m_hover->add(Command4, [this, text = tr(texts[6].second)]() -> std::optional<QString> {
        if (info->text() == msgcopie()) return std::nullopt;
        return text;
    });
    m_hover->add(command5, [this]() -> std::optional<QString> {
        return Picture3->masquer->isChecked()
                   ? tr("Afficher la concentration en soluté apporté")
                   : tr("Ce bouton permet d'obtenir une concentration aléatoire en soluté apporté");
    });
    m_hover->add(Onglets, [this]() -> std::optional<QString> {
        return tr("Cliquer sur un onglet pour l'afficher");
    });
    // Disabled buttons receive no hover events of their own: the window's
    // mouse tracking finds them under the pointer instead.
}

void feuilleP::showPage(int k)
{
    QWidget* pages[5] = {frame2, graphPage, Picture5, Picture3, Histo};
    for (int i = 0; i < 5; ++i)
        pages[i]->setVisible(i + 1 == k);
    if (k >= 1 && k <= 5) pages[k - 1]->raise();
}

bool feuilleP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        Label1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void feuilleP::mouseMoveEvent(QMouseEvent* event)
{
    m_hover->pointerMoved(event->position().toPoint());
}

void feuilleP::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Activate();
}

void feuilleP::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The launcher may leave a request while the bench runs: it is read each
    // time the student comes back to the window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void feuilleP::Form_Activate()
{
    Label1->setText(tr("Afficher la\nconcentration"));
    QPalette p = frame2->palette();
    p.setColor(QPalette::Window, QColor(240, 235, 230));
    frame2->setPalette(p);
    // A request of the launcher is consumed once: the exercise it names opens.
    const QString request =
        QString::fromStdString(takeLauncherRequest(m_markerFolder.toStdString())).trimmed();
    if (!request.isEmpty()) {
        m_exercises->openRequested(request);
        // The exercise's configuration redrew the bench; the scene is drawn
        // whole again, liquids included.
        imafond();
        niveaubecher();
    }
}

void feuilleP::Command7_Click()
{
    // The help page of the program's folder; without it, a message says so.
    if (!m_help) m_help = new HelpViewer(this);
    const QString path = m_programFolder + QStringLiteral("/Lomb.html");
    if (const HelpLoad loaded = m_help->load(path); loaded != HelpLoad::Ok) {
        HelpViewer::warnUnavailable(this, loaded, path);
        return;
    }
    m_help->show();
    m_help->raise();
}

void feuilleP::Command8_Click()
{
    // One calculator for the whole run: its memory outlives each use.
    if (!m_machine) m_machine = new Machine(this);
    m_machine->setWindowTitle(tr("Machine à calculer"));
    m_machine->useSimpleLayout();
    // On the projector the calculator is shown as large as the bench.
    const LayoutScaler* scaler = LayoutScaler::of(this);
    m_machine->placeAtScale(scaler ? scaler->scale() : 1.0, frameGeometry());
    Messages::execDialog(*m_machine);
}

void feuilleP::Command11_Click()
{
    validatePendingEntries();
    showSaveDialog(*this);
}

void feuilleP::Command2_Click()
{
    showOpenDialog(*this);
}

void feuilleP::writeMarker(bool running)
{
    writeRunningFlag(m_markerFolder.toStdString(), running);
}

void feuilleP::closeEvent(QCloseEvent* event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // Unsaved text of an exercise first: Cancel keeps the window without the second question.
    if (m_exercises->textemodifie() &&
        Messages::ask(
            this, {tr("Abandon des données?"), tr("Attention: perte des modifications du texte."),
                   MessageIcon::Question, MessageButtons::OkCancel}) != MessageAnswer::Ok) {
        event->ignore();
        return;
    }
    const MessageAnswer answer =
        Messages::ask(this, {tr("Fermer"), tr("Quitter vraiment Titrage conductimétrique ?"),
                             MessageIcon::Question, MessageButtons::OkCancel});
    if (answer != MessageAnswer::Ok) {
        event->ignore();
        return;
    }
    m_closing = true;
    Timer1->stop();
    Timer2->stop();
    if (m_machine) m_machine->close();
    writeMarker(false);
    event->accept();
    QApplication::closeAllWindows();
}

} // namespace titrage
