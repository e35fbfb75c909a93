// The entry boxes as the student uses them: the characters a box accepts
// (typed or pasted), the desktop's editing keys and menu, and when a box's
// value is validated.
#include "model/entryvalidation.h"
#include "bench/feuillep.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <memory>

namespace titrage {

namespace {

// Help texts of the entry boxes, by box number (boxes 2 and 3 have none).
QString entryHelp(int box)
{
    switch (box) {
    case 0:
        return QStringLiteral("Concentration de la solution introduite dans le bécher");
    case 1:
        return QStringLiteral("Concentration de la solution introduite dans la burette");
    case 4:
        return QStringLiteral("Volume de la solution introduite dans le bécher");
    case 5:
        return QStringLiteral(
            "Volume de solution versée (vous pouvez également utiliser le robinet)");
    case 6:
        return QStringLiteral("Volume d'eau distillée ajoutée");
    default:
        return {};
    }
}

bool isControlText(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7f) return false;
    return true;
}

// What a box keeps of a text that would be inserted: digits, comma, minus;
// a full stop becomes a comma; everything else is dropped.
QString filteredEntryText(const QString& text)
{
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() >= 128 || c.unicode() == '\b') continue;
        if (const auto passed = filterEntryKey(static_cast<char>(c.unicode())))
            kept.append(QChar(*passed));
    }
    return kept;
}

} // namespace

void feuilleP::validatePendingEntries()
{
    for (int i = 0; i < static_cast<int>(Text1.size()); ++i)
        if (Text1[i]->isModified() && !Text1[i]->isReadOnly()) Text1_LostFocus(i, true);
}

void feuilleP::pasteIntoEntry(int box, const QString& text)
{
    QLineEdit* edit = Text1[box];
    if (edit->isReadOnly()) return;
    const QString kept = filteredEntryText(text);
    if (!kept.isEmpty() || edit->hasSelectedText()) edit->insert(kept);
}

void feuilleP::showEntryMenu(int box, QPoint globalPos)
{
    QLineEdit* edit = Text1[box];
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    // The menu's own paste would insert the clipboard unfiltered. Its action
    // is known by its (translated) text, as Qt names it.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteText) continue;
        action->disconnect();
        connect(action, &QAction::triggered, this,
                [this, box] { pasteIntoEntry(box, QGuiApplication::clipboard()->text()); });
    }
    menu->exec(globalPos);
}

bool feuilleP::entryEvent(int i, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Text1_LostFocus(i, true);
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            pasteIntoEntry(i, QGuiApplication::clipboard()->text());
            return true;
        }
        // Only characters that would be inserted are filtered: Tab, the
        // arrows, Delete and the editing shortcuts keep their usual meaning.
        const QString text = key->text();
        if (text.isEmpty() || isControlText(text)) return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier) &&
            !(key->modifiers() & Qt::AltModifier))
            return false;
        const QString kept = filteredEntryText(text);
        if (kept == text) return false;
        if (!kept.isEmpty() && !Text1[i]->isReadOnly()) Text1[i]->insert(kept);
        return true;
    }
    case QEvent::ContextMenu:
        showEntryMenu(i, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection on X11: filtered too.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            if (const QClipboard* clipboard = QGuiApplication::clipboard();
                clipboard->supportsSelection())
                pasteIntoEntry(i, clipboard->text(QClipboard::Selection));
            return true;
        }
        return false;
    case QEvent::FocusIn:
        info->setText(QStringLiteral("Valider à la fin de la saisie."));
        return false;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box, a menu or another window taking the focus is not the
        // student leaving the box; nor is closing the window.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !m_closing &&
            Text1[i]->isModified())
            Text1_LostFocus(i, true);
        return false;
    }
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (!entryHelp(i).isEmpty()) info->setText(entryHelp(i));
        return false;
    default:
        return false;
    }
}

} // namespace titrage
