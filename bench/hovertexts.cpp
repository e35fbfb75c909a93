#include "bench/hovertexts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
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
    if (event->type() != QEvent::Enter) return false;
    if (const auto chosen = m_chosen.find(watched); chosen != m_chosen.end()) {
        if (const std::optional<QString> text = chosen->second()) m_status.setText(*text);
    } else if (const QVariant text = watched->property(kHoverProperty); text.isValid()) {
        m_status.setText(text.toString());
    }
    return false;
}

} // namespace titrage
