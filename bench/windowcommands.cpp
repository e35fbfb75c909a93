#include "bench/windowcommands.h"

#include "bench/benchbutton.h"
#include "bench/benchcopies.h"
#include "bench/entryboxes.h"
#include "bench/helpviewer.h"
#include "bench/hovertexts.h"
#include "calculator/machine.h"
#include "config/configdialogs.h"
#include "exercises/fichexo.h"
#include "platform/benchscale.h"
#include "platform/layoutscaler.h"
#include "platform/messages.h"
#include "printing/confimp.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>

#include <utility>

namespace titrage {

WindowCommands::WindowCommands(QWidget& bench) : QObject(&bench), m_bench(bench)
{
    QWidget* w = &bench;
    Command1 = makeButton(w, "Command1", tr("&Fermer"), tr("Quitter cette application"));
    Command7 = makeButton(w, "Command7", tr("&Aide"), tr("Aide pour utiliser cette application"));
    Command8 = makeButton(w, "Command8", tr("&Calculatrice"), tr("calculer"));
    Command10 = makeButton(w, "Command10", tr("&Imprimer"), tr("Imprimer l'image"));
    Command4 =
        makeButton(w, "Command4", tr("Co&pier"), tr("Placer l'image dans le presse-papiers"));
    Command11 =
        makeButton(w, "Command11", tr("&Enregistrer"), tr("Enregistrer la configuration actuelle"));
    Command2 = makeButton(w, "Command2", tr("&Ouvrir"), tr("Retrouver une configuration"));
    btexo = makeButton(w, "btexo", tr("E&xercices"), tr("Exercices"));
}

std::array<QPushButton*, 8> WindowCommands::buttons() const
{
    return {Command1, Command7, Command8, Command10, Command4, Command11, Command2, btexo};
}

void WindowCommands::connectTargets(const CommandTargets& targets)
{
    m_targets = targets;
    connect(Command1, &QPushButton::clicked, this, [this] { m_bench.close(); });
    // Copies and prints show the bench with the value being typed validated.
    connect(Command4, &QPushButton::clicked, this, [this] {
        validatePendingEntries();
        Command4_Click();
    });
    connect(Command10, &QPushButton::clicked, this, [this] {
        validatePendingEntries();
        Command10_Click();
    });
    connect(btexo, &QPushButton::clicked, this,
            [this] { m_targets.exercises->btexo_Click(btexo); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void WindowCommands::layout(int left, int top, int width)
{
    for (QPushButton* b : buttons()) {
        b->setGeometry(left, top, width, 24);
        top += 27;
    }
}

void WindowCommands::installHoverTexts(HoverTexts& hover, const QLabel& status)
{
    const std::pair<QWidget*, const char*> texts[] = {
        {Command1, QT_TR_NOOP("Pour retrouver le module principal et quitter cette application")},
        {Command7, QT_TR_NOOP("Si vous rencontrez une difficulté avec cette application")},
        {Command8, QT_TR_NOOP("Afficher la machine à calculer")},
        {Command10, QT_TR_NOOP("Configurer l'imprimante et imprimer l'image")},
        {Command11, QT_TR_NOOP("Enregistrer les paramètres en cours")},
        {Command2, QT_TR_NOOP("Pour retrouver une situation enregistrée")},
        {btexo, QT_TR_NOOP("Ouvrir un énoncé, enregistrer le texte, obtenir la correction, "
                           "imprimer ou fermer")},
    };
    for (const auto& [widget, text] : texts)
        hover.add(widget, tr(text));
    const QString copy = tr("Copier pour placer l'image dans le presse- papiers puis coller "
                            "depuis Word, Paint...");
    hover.add(Command4, copy);
    hover.add(Command4, [&status, copy]() -> std::optional<QString> {
        if (status.text() == BenchCopies::msgcopie()) return std::nullopt;
        return copy;
    });
}

void WindowCommands::closeCalculator()
{
    if (m_machine) m_machine->close();
}

void WindowCommands::validatePendingEntries()
{
    m_targets.entries->validatePending();
}

void WindowCommands::Command4_Click()
{
    scaleWithBench(m_targets.copies->menu(), &m_bench);
    m_targets.copies->menu()->popup(QCursor::pos());
}

void WindowCommands::Command7_Click()
{
    // The help page of the program's folder; without it, a message says so.
    if (!m_help) m_help = new HelpViewer(&m_bench);
    const QString path = m_targets.programFolder + QStringLiteral("/Lomb.html");
    if (const HelpLoad loaded = m_help->load(path); loaded != HelpLoad::Ok) {
        HelpViewer::warnUnavailable(&m_bench, loaded, path);
        return;
    }
    m_help->show();
    m_help->raise();
}

void WindowCommands::Command8_Click()
{
    // One calculator for the whole run: its memory outlives each use.
    if (!m_machine) m_machine = new Machine(&m_bench);
    m_machine->setWindowTitle(tr("Machine à calculer"));
    m_machine->useSimpleLayout();
    // On the projector the calculator is shown as large as the bench.
    const LayoutScaler* scaler = LayoutScaler::of(&m_bench);
    m_machine->placeAtScale(scaler ? scaler->scale() : 1.0, m_bench.frameGeometry());
    Messages::execDialog(*m_machine);
}

void WindowCommands::Command10_Click()
{
    showPrintDialog(*m_targets.print);
}

void WindowCommands::Command11_Click()
{
    validatePendingEntries();
    showSaveDialog(*m_targets.config);
}

void WindowCommands::Command2_Click()
{
    showOpenDialog(*m_targets.config);
}

} // namespace titrage
