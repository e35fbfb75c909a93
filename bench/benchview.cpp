#include "bench/benchview.h"

#include "platform/layoutscaler.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace titrage {

void BenchView::placeWindow(QWidget& window)
{
    window.resize(kDesignSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        if (free.width() < kDesignSize.width() || free.height() < kDesignSize.height()) {
            window.resize(kDesignSize.scaled(free.size() * 0.95, Qt::KeepAspectRatio)
                              .expandedTo(window.minimumSize()));
        }
        window.move(free.center() - window.rect().center());
    }
}

BenchView::BenchView(QWidget& window) : QObject(&window), m_window(window)
{
    auto* scaler = new LayoutScaler(&window, kDesignSize);
    window.setMinimumSize(kDesignSize / 2);
    scaler->fit(window.size());

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
