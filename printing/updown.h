#pragma once
// A bare up-down control: two arrow buttons that step a value within a range.
// The value is shown elsewhere (a label), as the dialog that uses it wants.

#include <QSize>
#include <QWidget>

class QToolButton;

namespace titrage {

class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(int minimum, int maximum, QWidget* parent = nullptr);

    // Each arrow button's size at the design size of its dialog (a fixed
    // size, which grows with the dialog shown larger).
    static constexpr QSize kButtonSize{18, 12};

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Clamped to the range; emits valueChanged when the value changes.
    void setValue(int value);
    void stepUp() { setValue(m_value + 1); }
    void stepDown() { setValue(m_value - 1); }

signals:
    void valueChanged(int value);

private:
    int m_minimum;
    int m_maximum;
    int m_value;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};

} // namespace titrage
