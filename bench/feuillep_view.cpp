// The bench at any size: the window opens at its design size, the teacher may
// resize or maximise it and everything in it grows together; "Vue projecteur"
// (F11) puts it full screen and back.
#include "bench/feuillep.h"
#include "platform/layoutscaler.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

namespace titrage {

namespace {
constexpr QSize kDesignSize(800, 600);
}

void feuilleP::installView()
{
    auto* scaler = new LayoutScaler(this, kDesignSize);
    setMinimumSize(kDesignSize / 2);
    scaler->fit(size());

    auto* projector = new QAction(tr("Vue projecteur"), this);
    projector->setObjectName(QStringLiteral("vueprojecteur"));
    projector->setShortcut(QKeySequence(Qt::Key_F11));
    projector->setShortcutContext(Qt::WindowShortcut);
    projector->setCheckable(true);
    addAction(projector);
    // Each press toggles what the window is, whatever left full screen last.
    connect(projector, &QAction::triggered, this, [this] { setProjectorView(!isFullScreen()); });
}

void feuilleP::setProjectorView(bool on)
{
    if (on != isFullScreen()) {
        if (on)
            showFullScreen();
        else
            showNormal();
    }
    if (auto* a = findChild<QAction*>(QStringLiteral("vueprojecteur"))) a->setChecked(on);
}

QRect feuilleP::designGeometry(const QWidget* control) const
{
    const LayoutScaler* s = LayoutScaler::of(this);
    return s ? s->designGeometry(control) : control->geometry();
}

void feuilleP::placeWindow()
{
    // At its design size, centred on the screen's free area; on a screen too
    // small for it, as large as the free area allows (the bench scales down).
    resize(kDesignSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        if (free.width() < kDesignSize.width() || free.height() < kDesignSize.height()) {
            resize(kDesignSize.scaled(free.size() * 0.95, Qt::KeepAspectRatio)
                       .expandedTo(minimumSize()));
        }
        move(free.center() - rect().center());
    }
}

} // namespace titrage
