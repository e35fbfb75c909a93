#include "bench/benchview.h"

#include "platform/benchscale.h"
#include "platform/layoutscaler.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace titrage {

namespace {
// Whether a window of `client` size shows whole in `free` with its title bar:
// the frame's thin borders may hang off the screen's edges unharmed.
bool fitsOn(QSize client, QSize free, QMargins frame)
{
    return client.width() <= free.width() && client.height() + frame.top() <= free.height();
}
} // namespace

QSize BenchView::windowSizeFor(QSize free, QMargins frame)
{
    if (fitsOn(kDesignSize, free, frame)) return kDesignSize;
    const QSize room = (QSizeF(free) * 0.95).toSize() -
                       QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    return kDesignSize.scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
}

namespace {
QMargins frameOf(const QWidget& window)
{
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// Sized for the screen's free area, its frame centred there, the title bar
// never above the free area.
void fitOnScreen(QWidget& window, QMargins frame)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    window.resize(BenchView::windowSizeFor(free.size(), frame).expandedTo(window.minimumSize()));
    const QSize outer =
        window.size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    // move() places the frame's corner.
    const QPoint corner = free.center() - QRect(QPoint(), outer).center();
    window.move(std::max(corner.x(), free.left() - frame.left()), std::max(corner.y(), free.top()));
}
} // namespace

void BenchView::placeWindow(QWidget& window)
{
    window.resize(kDesignSize);
    fitOnScreen(window, window.isVisible() ? frameOf(window) : QMargins());
}

BenchView::BenchView(QWidget& window) : QObject(&window), m_window(window)
{
    auto* scaler = new LayoutScaler(&window, kDesignSize);
    scaleToolTipsWithBench();
    window.setMinimumSize(kDesignSize / 2);
    scaler->fit(window.size());
    window.installEventFilter(this);

    m_projector = new QAction(tr("Vue projecteur"), &window);
    m_projector->setObjectName(QStringLiteral("vueprojecteur"));
    m_projector->setShortcut(QKeySequence(Qt::Key_F11));
    m_projector->setShortcutContext(Qt::WindowShortcut);
    m_projector->setCheckable(true);
    window.addAction(m_projector);
    // Each press toggles what the window is, whatever left full screen last.
    connect(m_projector, &QAction::triggered, this,
            [this] { setProjectorView(!m_window.isFullScreen()); });
}

void BenchView::setProjectorView(bool on)
{
    if (on != m_window.isFullScreen()) {
        if (on)
            m_window.showFullScreen();
        else
            m_window.showNormal();
    }
    m_projector->setChecked(on);
}

} // namespace titrage

namespace titrage {

bool BenchView::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager frames the window after it is shown, and the window
    // then moves into its frame: the first time a frame is seen, a window
    // whose frame would hang off a small screen (the status line cut at the
    // bottom) is fitted again, frame included. Later moves are the user's.
    if (watched == &m_window && !m_framed &&
        (event->type() == QEvent::Move || event->type() == QEvent::Show) && m_window.isVisible() &&
        !(m_window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QMargins frame = frameOf(m_window);
        if (!frame.isNull()) {
            m_framed = true;
            const QScreen* screen = m_window.screen();
            if (screen && !fitsOn(m_window.size(), screen->availableGeometry().size(), frame))
                fitOnScreen(m_window, frame);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace titrage
