#pragma once
// The scientific calculator: keys build an expression text, "EXE" evaluates it
// and shows the result in standard or scientific notation. The window also has
// a memory that outlives it, a last-answer key, angle units and a last-token
// erase. It is modal; the main window opens it with Messages::execDialog.

#include "calculator/core/machinestate.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <functional>

class QGroupBox;
class QPlainTextEdit;
class QRadioButton;

namespace titrage {

class CalcKey;

class Machine : public QDialog {
    Q_OBJECT

public:
    explicit Machine(QWidget* parent = nullptr);

    // The layout the main window uses: the row of constants above the display
    // is hidden and the display takes its place (y = 16, height 89).
    void useSimpleLayout();

    // Sized `scale` times its design size (at least that size, at most the
    // screen's free height) and centred over `over`, in screen coordinates.
    void placeAtScale(qreal scale, const QRect& over);

    const MachineState& state() const { return m_state; }

    // Replaces the system beep of a failed evaluation (tests count them);
    // nullptr restores the beep.
    static void setBeepHook(std::function<void()> hook);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createDisplay();
    void createOptions();
    void createKeys();
    CalcKey* addKey(const QString& name, const QString& caption, QColor face, QRect geometry,
                    const QString& toolTip, std::function<void()> action);

    void EXE_Click();
    void C_Click(int index);
    void afficher();
    void focusDisplay();
    bool keyTyped(QKeyEvent* event);
    void press(const QString& keyName);
    void reset();

    MachineState m_state;
    QPlainTextEdit* z1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QRadioButton*, 2> angle{};
    std::array<QRadioButton*, 2> C{};
    std::array<CalcKey*, 5> constante{};
    QHash<QString, std::function<void()>> m_actions;
};

} // namespace titrage
