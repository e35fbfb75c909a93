#pragma once
// The tools panel of the graph page ("outils"): the caption naming the curve
// and one button per registered tool, stacked in registration order.

#include <QFrame>
#include <QPointer>

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

    // Where the keyboard focus waits while the panel is hidden under it (a
    // tool that redraws the graph hides the panel for a moment); the panel's
    // parent when none is set.
    void setFocusParking(QWidget* parking) { m_parking = parking; }

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_caption = nullptr;
    std::vector<std::pair<std::unique_ptr<GraphTool>, QPushButton*>> m_tools;
    QPointer<QWidget> m_parking;
    QPointer<QWidget> m_parked;   // the control of the panel that had the focus
    QPointer<QWidget> m_parkedOn; // where it went meanwhile
};

} // namespace titrage
