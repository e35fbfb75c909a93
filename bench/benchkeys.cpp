#include "bench/benchkeys.h"

#include "bench/burettecontrols.h"
#include "bench/tabstrip.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace titrage {

BenchKeys::BenchKeys(QWidget& bench, BuretteControls& burette, TabStrip& strip)
    : QObject(&bench), m_bench(bench), m_burette(burette), m_strip(strip)
{
    qApp->installEventFilter(this);
}

bool BenchKeys::eventFilter(QObject* watched, QEvent* event)
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

bool BenchKeys::keyPressed(QKeyEvent* key)
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
            if (!key->isAutoRepeat()) m_burette.Image1_Click();
        } else if (!m_tapHeld && !key->isAutoRepeat()) {
            m_tapHeld = true;
            m_burette.Image3_MouseDown();
        }
        return true;
    default:
        return false;
    }
}

bool BenchKeys::keyReleased(QKeyEvent* key)
{
    if (key->key() != Qt::Key_Down || key->isAutoRepeat() || !m_tapHeld) return false;
    releaseTap();
    return true;
}

void BenchKeys::releaseTap()
{
    if (!m_tapHeld) return;
    m_tapHeld = false;
    m_burette.Image3_MouseUp();
    m_burette.Image3_Click();
}

void BenchKeys::turnPage(int step)
{
    TabStrip& strip = m_strip;
    QWidget* focus = QApplication::focusWidget();
    const int k = strip.ongletactif();
    strip.setOngletactif((k - 1 + step + TabStrip::kTabs) % TabStrip::kTabs + 1);
    // A focus on the page just hidden goes to the strip, so that Tab
    // leads into the new page; a focus elsewhere (the tap) stays.
    if (focus && !focus->isVisible()) strip.setFocus(Qt::TabFocusReason);
}

} // namespace titrage
