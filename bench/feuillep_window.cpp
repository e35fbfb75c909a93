// Window-level behaviour of the bench: wiring of the controls, the status line,
// the key filter of the entry boxes, the tab pages, activation and closing.
#include "bench/core/markerfile.h"
#include "bench/feuillep.h"
#include "bench/hovertexts.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "bench/windowcommands.h"
#include "exercises/fichexo.h"
#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
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
    createPhControls();
    installKeyboardDriving();
    connect(m_situations, &SituationsBar::chosen, this, [this](int k) { Option2_Click(k); });
    connect(Onglets, &TabStrip::pageShown, m_pages, &BenchPages::showPage);
    connect(Onglets, &TabStrip::hovered, this,
            [this] { info->setText(tr("Cliquer sur un onglet pour l'afficher")); });
}

void feuilleP::installHoverTexts()
{
    m_hover = new HoverTexts(*info, *this);
    m_hover->add(Image3, tr("Utiliser le bouton gauche de la souris pour ouvrir le robinet."));
    m_commands->installHoverTexts(*m_hover, *info);
    m_pages->installHoverTexts(*m_hover);
    m_hover->followFocus(*this);
    // Disabled buttons receive no hover events of their own: the window's
    // mouse tracking finds them under the pointer instead.
}

bool feuilleP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        Label1_Click();
        return true;
    }
    // The boxes' "Valider à la fin de la saisie." means nothing once the
    // student types in the exercise text: that text's own hint replaces it.
    if (watched == supertext && event->type() == QEvent::FocusIn &&
        info->text() == EntryBoxes::validateHint())
        showStatus(tr("Écrire ici ses réponses ; Exercices > « Enregistrer le contenu de la "
                      "fenêtre exercice » les garde."));
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
    m_commands->closeCalculator();
    writeMarker(false);
    event->accept();
    QApplication::closeAllWindows();
}

} // namespace titrage
