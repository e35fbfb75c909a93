#pragma once
// The tools panel of the graph page ("outils"): the caption naming the curve
// and one button per registered tool, stacked in registration order.

#include <QFrame>

#include <memory>
#include <vector>

class QLabel;
class QPushButton;

namespace titrage {

class GraphTool;

class GraphToolsPanel : public QFrame {
    Q_OBJECT

public:
    explicit GraphToolsPanel(QWidget* parent);
    ~GraphToolsPanel() override;

    // Adds a tool below the others; its button runs it.
    QPushButton* add(std::unique_ptr<GraphTool> tool);
    // "Courbe n° k + 1" in situation k's colour.
    void setCurve(int k, QColor colour);
    // Every tool hears that the graph was redrawn.
    void graphRedrawn();
    // Greys the buttons of tools that do not apply to the bench as it stands.
    void refreshTools();

    QLabel* caption() const { return m_caption; }

private:
    QLabel* m_caption = nullptr;
    std::vector<std::pair<std::unique_ptr<GraphTool>, QPushButton*>> m_tools;
};

} // namespace titrage
