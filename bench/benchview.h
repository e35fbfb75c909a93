#pragma once
// The bench at any size: the window opens at its design size, the teacher may
// resize or maximise it and everything in it grows together; "Vue projecteur"
// (F11) puts it full screen and back.

#include <QMargins>
#include <QObject>
#include <QSize>

class QAction;
class QWidget;

namespace titrage {

class BenchView : public QObject {
    Q_OBJECT

public:
    // The window's design size, in the units every control is placed in.
    static constexpr QSize kDesignSize{800, 600};

    // At its design size, centred on the screen's free area; on a screen too
    // small for it and its title bar, with its frame in 95 % of the free area
    // (the bench scales down). The frame is known only once the window manager has framed the
    // shown window: the size is then made again with it (see eventFilter).
    static void placeWindow(QWidget& window);
    // The window's size for a free area `free` and a frame of `frame`.
    static QSize windowSizeFor(QSize free, QMargins frame);

    // Scales `window`'s controls with its size and gives it the projector view.
    explicit BenchView(QWidget& window);

    void setProjectorView(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    QAction* m_projector = nullptr;
    bool m_framed = false; // the first frame seen and the window fitted to it
};

} // namespace titrage
