#pragma once
// Driving the bench from the keyboard, wherever the focus is in its window:
// Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PgDown / Ctrl+PgUp change page, Ctrl+Down
// held opens the tap until it is released, Ctrl+Shift+Down adds a drop.

#include <QObject>

class QKeyEvent;
class QWidget;

namespace titrage {

class BuretteControls;
class TabStrip;

class BenchKeys : public QObject {
public:
    BenchKeys(QWidget& bench, BuretteControls& burette, TabStrip& strip);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QKeyEvent* key);
    bool keyReleased(QKeyEvent* key);
    void releaseTap();
    void turnPage(int step);

    QWidget& m_bench;
    BuretteControls& m_burette;
    TabStrip& m_strip;
    bool m_tapHeld = false;
};

} // namespace titrage
