// Driving the bench from the keyboard, wherever the focus is in its window:
// Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PgDown / Ctrl+PgUp change page, Ctrl+Down
// held opens the tap until it is released, Ctrl+Shift+Down adds a drop.
#include "bench/feuillep.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "graph/valuetable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>

#include <vector>

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
        QWidget* focus = QApplication::focusWidget();
        const int k = strip.ongletactif();
        strip.setOngletactif((k - 1 + step + TabStrip::kTabs) % TabStrip::kTabs + 1);
        // A focus on the page just hidden goes to the strip, so that Tab
        // leads into the new page; a focus elsewhere (the tap) stays.
        if (focus && !focus->isVisible()) strip.setFocus(Qt::TabFocusReason);
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

void feuilleP::orderKeyboardFocus()
{
    // Tab follows the eye: the page strip and the page in front, the burette
    // under the student's hand, the situations, the window's buttons, the
    // text. Hidden pages are skipped by Qt, so one chain serves all five.
    std::vector<QWidget*> order{Onglets,  Option1[0], Option1[1], lbecher, Text1[0],
                                command5, Text1[4],   Text1[6],   lindic,  Text1[5]};
    // The graph's tools, in the order they were made (top to bottom).
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (graphPage->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus)) order.push_back(w);
    order.push_back(MSFlexGrid1);
    // The parameters as they are shown: two columns under "Graphe".
    const ParametresPage& p = *Picture3;
    for (QWidget* w :
         std::initializer_list<QWidget*>{p.optscema[1], p.optscema[0], p.Check1, p.Check2,
                                         p.corrdilution, p.conserver, p.masquer, p.UpDown1})
        order.push_back(w);
    order.push_back(Histo);
    for (QWidget* w : {static_cast<QWidget*>(Text1[1]), static_cast<QWidget*>(Image3),
                       static_cast<QWidget*>(Image1), static_cast<QWidget*>(Command6),
                       static_cast<QWidget*>(Command13), static_cast<QWidget*>(Command14)})
        order.push_back(w);
    for (QRadioButton* b : Option2)
        order.push_back(b);
    for (QPushButton* b :
         {Command1, Command7, Command8, Command10, Command4, Command11, Command2, btexo})
        order.push_back(b);
    if (auto* fich = findChild<QWidget*>(QStringLiteral("fich"))) order.push_back(fich);
    order.push_back(supertext);
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The student's text takes Tab as a move to the next control, so that
    // the keyboard never gets stuck in it (a tab stop in the text is rare).
    supertext->setTabChangesFocus(true);
    // The first box of the page in front has the focus at start-up.
    Text1[0]->setFocus();
}

void feuilleP::keepSituationTabStop()
{
    // The situations are one Tab stop, the one chosen, whoever chose it (a
    // click, the arrows, a file opened); the arrows move between them.
    for (QRadioButton* b : Option2)
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace titrage
