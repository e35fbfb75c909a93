#include "bench/hovertexts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace titrage {

namespace {
const char* kHoverProperty = "statusText";
} // namespace

HoverTexts::HoverTexts(QLabel& status, QWidget& bench)
    : QObject(&bench), m_status(status), m_bench(bench)
{
}

QString HoverTexts::welcome()
{
    return QCoreApplication::translate("titrage::feuilleP",
                                       "Vous pouvez modifier les paramètres,\n"
                                       "ouvrir une configuration ou un exercice");
}

void HoverTexts::add(QWidget* control, const QString& text)
{
    control->setProperty(kHoverProperty, text);
    control->installEventFilter(this);
}

void HoverTexts::add(QWidget* control, std::function<std::optional<QString>()> text)
{
    m_chosen[control] = std::move(text);
    control->installEventFilter(this);
}

void HoverTexts::followFocus(QWidget& window)
{
    // The entry boxes keep their own hint on focus ("Valider à la fin de la
    // saisie.").
    for (QWidget* w : window.findChildren<QWidget*>())
        if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QLineEdit*>(w) &&
            !w->toolTip().isEmpty())
            w->installEventFilter(this);
}

void HoverTexts::pointerMoved(QPoint pos)
{
    if (QWidget* child = m_bench.childAt(pos)) {
        if (const QVariant text = child->property(kHoverProperty); text.isValid()) {
            m_status.setText(text.toString());
            return;
        }
    }
    m_status.setText(welcome());
}

bool HoverTexts::eventFilter(QObject* watched, QEvent* event)
{
    // The keyboard's student reads the same line as the mouse's: a control
    // reached by Tab, Shift+Tab or its access key explains itself as it does
    // under the pointer. A focus the program gives, or a click's, leaves the
    // line to the pointer.
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
            reason != Qt::ShortcutFocusReason)
            return false;
    } else if (event->type() != QEvent::Enter) {
        return false;
    }
    if (const auto chosen = m_chosen.find(watched); chosen != m_chosen.end()) {
        if (const std::optional<QString> text = chosen->second()) m_status.setText(*text);
    } else if (const QVariant text = watched->property(kHoverProperty); text.isValid()) {
        m_status.setText(text.toString());
    } else if (event->type() == QEvent::FocusIn) {
        // A control with no text of its own tells what its tooltip tells.
        if (auto* w = qobject_cast<QWidget*>(watched); w && !w->toolTip().isEmpty())
            m_status.setText(w->toolTip());
    }
    return false;
}

} // namespace titrage
