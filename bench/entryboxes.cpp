// The entry boxes as the student uses them: the characters a box accepts
// (typed or pasted), the desktop's editing keys and menu, and when a box's
// value is validated.
#include "bench/entryboxes.h"

#include "model/entryvalidation.h"
#include "platform/benchscale.h"
#include "platform/core/numberformat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

namespace titrage {

namespace {

// Help texts of the entry boxes, by box number (boxes 2 and 3 have none).
QString entryHelp(int box)
{
    switch (box) {
    case 0:
        return QCoreApplication::translate(
            "titrage::EntryBoxes", "Concentration de la solution introduite dans le bécher");
    case 1:
        return QCoreApplication::translate(
            "titrage::EntryBoxes", "Concentration de la solution introduite dans la burette");
    case 4:
        return QCoreApplication::translate("titrage::EntryBoxes",
                                           "Volume de la solution introduite dans le bécher");
    case 5:
        return QCoreApplication::translate(
            "titrage::EntryBoxes",
            "Volume de solution versée (vous pouvez également utiliser le robinet)");
    case 6:
        return QCoreApplication::translate("titrage::EntryBoxes", "Volume d'eau distillée ajoutée");
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

bool sameEntryValue(const QString& a, const QString& b)
{
    const auto x = parseNumber(a.toStdString());
    const auto y = parseNumber(b.toStdString());
    if (x && y) return *x == *y;
    return a == b;
}

EntryBoxes::EntryBoxes(EntryHost& host, QWidget& bench) : QObject(&bench), m_host(host)
{
    for (int i = 0; i < kEntryBoxes; ++i) {
        Text1[i] = new QLineEdit(&bench);
        Text1[i]->setObjectName(QStringLiteral("Text1(%1)").arg(i));
        Text1[i]->setAlignment(Qt::AlignRight);
        Text1[i]->installEventFilter(this);
        // A text the bench sets (not one the student types) is the value the
        // bench works with; see feuilleP::Text1_LostFocus.
        connect(Text1[i], &QLineEdit::textChanged, this, [this, i] {
            if (!Text1[i]->isModified()) m_benchText[i] = Text1[i]->text();
        });
        Text1[i]->setAcceptDrops(false);
    }
}

QString EntryBoxes::text(EntryBox b) const
{
    return Text1[b]->text();
}

float EntryBoxes::number(EntryBox b, float fallback) const
{
    return parseFloat(Text1[b]->text().toStdString()).value_or(fallback);
}

EntryTexts EntryBoxes::texts() const
{
    EntryTexts t;
    for (int i = 0; i < kEntryBoxes; ++i)
        t[static_cast<std::size_t>(i)] = Text1[i]->text().toStdString();
    return t;
}

void EntryBoxes::lock(bool locked)
{
    for (QLineEdit* box : Text1)
        box->setReadOnly(locked);
}

void EntryBoxes::validatePending()
{
    for (int i = 0; i < kEntryBoxes; ++i)
        if (Text1[i]->isModified() && !Text1[i]->isReadOnly()) m_host.Text1_LostFocus(i, true);
}

bool EntryBoxes::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < kEntryBoxes; ++i)
        if (watched == Text1[i]) return entryEvent(i, event);
    return false;
}

void EntryBoxes::pasteInto(int box, const QString& text)
{
    QLineEdit* edit = Text1[box];
    if (edit->isReadOnly()) return;
    const QString kept = filteredEntryText(text);
    if (!kept.isEmpty() || edit->hasSelectedText()) edit->insert(kept);
}

void EntryBoxes::showMenu(int box, QPoint globalPos)
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
                [this, box] { pasteInto(box, QGuiApplication::clipboard()->text()); });
    }
    scaleWithBench(menu.get(), edit);
    menu->exec(globalPos);
}

bool EntryBoxes::entryEvent(int i, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_host.Text1_LostFocus(i, true);
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            pasteInto(i, QGuiApplication::clipboard()->text());
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
        showMenu(i, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection on X11: filtered too.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            if (const QClipboard* clipboard = QGuiApplication::clipboard();
                clipboard->supportsSelection())
                pasteInto(i, clipboard->text(QClipboard::Selection));
            return true;
        }
        return false;
    case QEvent::FocusIn:
        m_host.showStatus(validateHint());
        return false;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A message box, a menu or another window taking the focus is not the
        // student leaving the box; nor is closing the window.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            !m_host.closing() && Text1[i]->isModified())
            m_host.Text1_LostFocus(i, true);
        return false;
    }
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (!entryHelp(i).isEmpty()) m_host.showStatus(entryHelp(i));
        return false;
    default:
        return false;
    }
}

QString EntryBoxes::validateHint()
{
    return QCoreApplication::translate("titrage::EntryBoxes", "Valider à la fin de la saisie.");
}

} // namespace titrage
