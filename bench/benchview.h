#pragma once
// The bench at any size: the window opens at its design size, the teacher may
// resize or maximise it and everything in it grows together; "Vue projecteur"
// (F11) puts it full screen and back.

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
    // small for it, as large as the free area allows (the bench scales down).
    static void placeWindow(QWidget& window);

    // Scales `window`'s controls with its size and gives it the projector view.
    explicit BenchView(QWidget& window);

    void setProjectorView(bool on);

private:
    QWidget& m_window;
    QAction* m_projector = nullptr;
};

} // namespace titrage
