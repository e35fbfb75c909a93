// Driving the bench from the keyboard, wherever the focus is in its window:
// Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PgDown / Ctrl+PgUp change page, Ctrl+Down
// held opens the tap until it is released, Ctrl+Shift+Down adds a drop.
#include "bench/feuillep.h"
#include "bench/tabstrip.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace titrage {

namespace {

class BenchKeys : public QObject {
public:
    explicit BenchKeys(feuilleP& bench) : QObject(&bench), m_bench(bench)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::WindowDeactivate && watched == &m_bench) {
            releaseTap(); // the key's release will go to another window
            return false;
        }
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != &m_bench || QApplication::activePopupWidget() ||
            QApplication::activeModalWidget())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Each key event reaches the filter once per object on its way up:
        // only the first, at the focus widget, counts.
        if (watched != QApplication::focusWidget() && QApplication::focusWidget()) return false;
        return type == QEvent::KeyPress ? keyPressed(key) : keyReleased(key);
    }

private:
    bool keyPressed(QKeyEvent* key)
    {
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        const bool ctrl = mods & Qt::ControlModifier;
        const bool shift = mods & Qt::ShiftModifier;
        if (!ctrl) return false;
        switch (key->key()) {
        case Qt::Key_Tab:
            turnPage(shift ? -1 : 1);
            return true;
        case Qt::Key_Backtab:
            turnPage(-1);
            return true;
        case Qt::Key_PageDown:
            turnPage(1);
            return true;
        case Qt::Key_PageUp:
            turnPage(-1);
            return true;
        case Qt::Key_Down:
            if (shift) {
                if (!key->isAutoRepeat()) m_bench.Image1_Click();
            } else if (!m_tapHeld && !key->isAutoRepeat()) {
                m_tapHeld = true;
                m_bench.Image3_MouseDown();
            }
            return true;
        default:
            return false;
        }
    }

    bool keyReleased(QKeyEvent* key)
    {
        if (key->key() != Qt::Key_Down || key->isAutoRepeat() || !m_tapHeld) return false;
        releaseTap();
        return true;
    }

    void releaseTap()
    {
        if (!m_tapHeld) return;
        m_tapHeld = false;
        m_bench.Image3_MouseUp();
        m_bench.Image3_Click();
    }

    void turnPage(int step)
    {
        TabStrip& strip = *m_bench.Onglets;
        const int k = strip.ongletactif();
        strip.setOngletactif((k - 1 + step + TabStrip::kTabs) % TabStrip::kTabs + 1);
    }

    feuilleP& m_bench;
    bool m_tapHeld = false;
};

} // namespace

void feuilleP::installKeyboardDriving()
{
    Onglets->setFocusPolicy(Qt::TabFocus);
    new BenchKeys(*this);
}

} // namespace titrage
