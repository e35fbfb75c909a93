#pragma once
// The tab strip `Onglets` above the page area of the main window: five tabs
// whose widths follow their titles, the active one in bold. Painting the strip
// computes the tab bounds and tells the main window which page to show.

#include "platform/canvas.h"

#include <QRect>
#include <QStringList>

#include <array>

namespace titrage {

class TabStrip : public CanvasWidget {
    Q_OBJECT

public:
    static constexpr int kTabs = 5;
    // Only a release above this height selects a tab.
    static constexpr int kTabHeight = 15;

    explicit TabStrip(QWidget* parent = nullptr);

    static QStringList titles();

    // The page in front, 1..5 (0, the state before the first painting, reads as 1).
    int ongletactif() const;
    // Sets the page in front and paints the strip (which shows that page).
    void setOngletactif(int k);
    // Onglets_Paint: computes the bounds, draws the strip, then emits pageShown.
    void paintStrip();
    // x bounds of the tabs: tab k spans (bornesonglets[k - 1], bornesonglets[k]].
    const std::array<int, kTabs + 1>& bornesonglets() const { return m_bornes; }
    // The tab under a release at logical (x, y), 0 for none.
    int tabAt(double x, double y) const;
    // Where a page goes when the strip also frames the page area (a strip
    // taller than its tabs): inside the frame, under the tabs.
    QRect pageRect() const;

signals:
    void pageShown(int k);
    void hovered();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Keyboard: the strip takes the focus; the arrows, Home and End change page.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool matchWidgetSize();
    void computeBounds();
    void draw();

    int m_ongletactif = 0;
    std::array<int, kTabs + 1> m_bornes{-1, 0, 0, 0, 0, 0};
};

} // namespace titrage
