#pragma once
// A push button of the bench: named, with its tooltip, reached by Tab but
// never taking the focus from a click (a value being typed stays in its box).

#include <QPushButton>

namespace titrage {

inline QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                               const QString& tooltip = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!tooltip.isEmpty()) b->setToolTip(tooltip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace titrage
