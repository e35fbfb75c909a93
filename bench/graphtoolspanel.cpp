#include "bench/graphtoolspanel.h"

#include "bench/graphtool.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace titrage {

namespace {
constexpr int kFirstButton = 24;
constexpr int kButtonStep = 31;
} // namespace

GraphTool::GraphTool(GraphToolHost& host, const char* objectName, QString caption, QString tooltip)
    : m_host(host), m_buttonName(QString::fromLatin1(objectName)), m_caption(std::move(caption)),
      m_tooltip(std::move(tooltip))
{
}

GraphToolsPanel::GraphToolsPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("outils"));
    setFrameShape(QFrame::StyledPanel);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("labout"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setGeometry(2, 3, 76, 18);
}

GraphToolsPanel::~GraphToolsPanel() = default;

QPushButton* GraphToolsPanel::add(std::unique_ptr<GraphTool> tool)
{
    auto* b = new QPushButton(tool->caption(), this);
    b->setObjectName(tool->buttonName());
    b->setToolTip(tool->tooltip());
    b->setFocusPolicy(Qt::TabFocus);
    b->setFont(QFont(QStringLiteral("Arial"), 7));
    b->setGeometry(3, kFirstButton + kButtonStep * static_cast<int>(m_tools.size()), 74, 29);
    GraphTool* t = tool.get();
    t->setParent(nullptr);
    connect(b, &QPushButton::clicked, t, [t] { t->run(); });
    m_tools.emplace_back(std::move(tool), b);
    return b;
}

void GraphToolsPanel::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    // Left to Qt, a focus hidden with the panel moves on to the next control
    // of the window, an entry box of the burette: the next key the student
    // types, meant for the tool, would edit its value. It waits on the
    // parking place instead, and comes back when the panel does.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus)) return;
    QWidget* parking = m_parking ? m_parking.data() : parentWidget();
    if (!parking) return;
    m_parked = focus;
    m_parkedOn = parking;
    parking->setFocus(Qt::OtherFocusReason);
}

void GraphToolsPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    QWidget* parked = m_parked;
    const bool stillParked = parked && m_parkedOn && QApplication::focusWidget() == m_parkedOn;
    m_parked = nullptr;
    m_parkedOn = nullptr;
    // Only when the focus stayed where it was parked: a control the student
    // went to meanwhile keeps it.
    if (stillParked && parked->isEnabled() && parked->isVisibleTo(window()))
        parked->setFocus(Qt::OtherFocusReason);
}

void GraphToolsPanel::setCurve(int k, QColor colour)
{
    m_caption->setText(tr("Courbe n° %1").arg(k + 1));
    QPalette p = m_caption->palette();
    p.setColor(QPalette::WindowText, colour);
    m_caption->setPalette(p);
}

void GraphToolsPanel::graphRedrawn()
{
    for (auto& [tool, button] : m_tools)
        tool->graphRedrawn();
}

void GraphToolsPanel::refreshTools()
{
    for (auto& [tool, button] : m_tools)
        button->setEnabled(tool->applies());
}

} // namespace titrage
