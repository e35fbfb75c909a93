#pragma once
// The burette's tap `Image3`: a picture that reports press, release and click.

#include <QLabel>
#include <QMouseEvent>

namespace titrage {

class TapPicture : public QLabel {
    Q_OBJECT

public:
    // The picture fills the control, as large as the window is shown.
    explicit TapPicture(QWidget* parent = nullptr) : QLabel(parent) { setScaledContents(true); }

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        m_down = true;
        emit pressed();
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const bool click = m_down && rect().contains(e->position().toPoint());
        m_down = false;
        emit released();
        if (click) emit clicked();
        e->accept();
    }

private:
    bool m_down = false;
};

} // namespace titrage
