#pragma once
// The burette's tap `Image3`: a picture that reports press, release and click,
// from the mouse or, once it has the focus, from the space bar held down.

#include "platform/appstyle.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace titrage {

class TapPicture : public QLabel {
    Q_OBJECT

public:
    // The picture fills the control, as large as the window is shown.
    explicit TapPicture(QWidget* parent = nullptr) : QLabel(parent)
    {
        setScaledContents(true);
        setFocusPolicy(Qt::TabFocus);
    }

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
    // Space held on the focused tap opens it as the mouse button does; the
    // keyboard's auto-repeat is not a new press.
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() != Qt::Key_Space) return QLabel::keyPressEvent(e);
        if (!e->isAutoRepeat() && !m_down) {
            m_down = m_keyDown = true;
            emit pressed();
        }
        e->accept();
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (e->key() != Qt::Key_Space) return QLabel::keyReleaseEvent(e);
        if (!e->isAutoRepeat() && m_keyDown) {
            m_down = m_keyDown = false;
            emit released();
            emit clicked();
        }
        e->accept();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        // A tap held from the keyboard closes when the focus goes elsewhere.
        if (m_keyDown) {
            m_down = m_keyDown = false;
            emit released();
        }
        QLabel::focusOutEvent(e);
        update();
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QLabel::focusInEvent(e);
        update();
    }
    void paintEvent(QPaintEvent* e) override
    {
        QLabel::paintEvent(e);
        if (!hasFocus()) return;
        const qreal pen = focusPenWidth(this);
        QPainter p(this);
        p.setPen(QPen(kFocusColour, pen));
        p.drawRect(QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
    }

private:
    bool m_down = false;
    bool m_keyDown = false;
};

} // namespace titrage
