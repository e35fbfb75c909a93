#include "platform/benchscale.h"

#include "platform/appstyle.h"
#include "platform/canvas.h"
#include "platform/layoutscaler.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace titrage {

namespace {

// The scale a window was last brought to by scaleWithBench.
const char* const kAppliedProperty = "benchScaleApplied";

double appliedScale(const QWidget* window)
{
    bool ok = false;
    const double s = window->property(kAppliedProperty).toDouble(&ok);
    return ok && s > 0 ? s : 0.0;
}

int scaledExtent(int v, double r)
{
    // Zero and "no limit" are not sizes.
    if (v <= 0 || v >= QWIDGETSIZE_MAX) return v;
    return std::max(1, static_cast<int>(std::lround(v * r)));
}

QSize scaledSize(QSize s, double r)
{
    return {scaledExtent(s.width(), r), scaledExtent(s.height(), r)};
}

QFont scaledFont(QFont f, double r)
{
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * r);
    else if (f.pixelSize() > 0)
        f.setPixelSize(scaledExtent(f.pixelSize(), r));
    return f;
}

// The window and the controls it shows itself (not its own pop-ups and
// dialogs, which are scaled when they are opened).
std::vector<QPointer<QWidget>> ownWidgets(QWidget* window)
{
    std::vector<QPointer<QWidget>> out{window};
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window) out.emplace_back(w);
    return out;
}

// What the program set itself, read before the style scales its own sizes:
// a size that does not follow the style is the program's and is scaled here.
struct Before {
    QPointer<QWidget> widget;
    bool ownFont = false;
    QFont font;
    QSize iconSize;
};

struct LayoutBefore {
    QPointer<QLayout> layout;
    QMargins margins;
    int spacing = -1;
};

// Sets the tooltips' font, shared by the whole program, to the scale of the
// widget that asks for one, just before it shows it.
class ToolTipScaler : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip && watched->isWidgetType())
            follow(benchScale(static_cast<QWidget*>(watched)));
        return false;
    }

private:
    void follow(double scale)
    {
        if (std::abs(scale - m_shown) < 1e-6) return;
        m_shown = scale;
        QToolTip::setFont(scaledFont(m_design, scale));
    }

    QFont m_design = QToolTip::font();
    double m_shown = 1.0;
};

} // namespace

double benchScale(const QWidget* w)
{
    for (const QWidget* top = w ? w->window() : nullptr; top;) {
        if (const double applied = appliedScale(top); applied > 0) return applied;
        if (const LayoutScaler* scaler = LayoutScaler::of(top))
            return std::max(1.0, static_cast<double>(scaler->scale()));
        const QWidget* parent = top->parentWidget();
        top = parent ? parent->window() : nullptr;
    }
    return 1.0;
}

void scaleWithBench(QWidget* window, const QWidget* from)
{
    if (!window || LayoutScaler::of(window)) return;
    if (!from) from = window->parentWidget();
    const double s = benchScale(from);
    const double old = appliedScale(window) > 0 ? appliedScale(window) : 1.0;
    if (std::abs(s - old) < 1e-6) return;
    const double r = s / old;
    // The style is the one that grows its sizes with the window's scale.
    useAppStyle();

    const auto widgets = ownWidgets(window);
    std::vector<Before> before;
    for (const QPointer<QWidget>& w : widgets) {
        Before b;
        b.widget = w;
        b.ownFont = w == window || w->testAttribute(Qt::WA_SetFont);
        if (b.ownFont) b.font = w->font();
        if (auto* button = qobject_cast<QAbstractButton*>(w.data()))
            b.iconSize = button->iconSize();
        else if (auto* view = qobject_cast<QAbstractItemView*>(w.data()))
            b.iconSize = view->iconSize();
        before.push_back(b);
    }
    std::vector<LayoutBefore> layouts;
    for (QLayout* l : window->findChildren<QLayout*>()) {
        if (!l->parentWidget() || l->parentWidget()->window() != window) continue;
        layouts.push_back({l, l->contentsMargins(), l->spacing()});
    }

    window->setProperty(kLayoutScaleProperty, s);
    window->setProperty(kAppliedProperty, s);

    // The window's font first: the controls without a font of their own
    // follow it, the others are set after it.
    for (const Before& b : before)
        if (b.widget && b.ownFont) b.widget->setFont(scaledFont(b.font, r));
    for (const Before& b : before) {
        QWidget* w = b.widget;
        if (!w) continue;
        // A window's minimum size is its layout's, worked out again.
        if (w != window || !w->layout()) {
            const QSize minimum = scaledSize(w->minimumSize(), r);
            const QSize maximum = scaledSize(w->maximumSize(), r);
            if (minimum != w->minimumSize()) w->setMinimumSize(minimum);
            if (maximum != w->maximumSize()) w->setMaximumSize(maximum);
        }
        if (!b.iconSize.isValid()) continue;
        // An icon size that followed the style's is already scaled.
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->iconSize() == b.iconSize) button->setIconSize(scaledSize(b.iconSize, r));
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            if (view->iconSize() == b.iconSize) view->setIconSize(scaledSize(b.iconSize, r));
        }
    }
    for (const LayoutBefore& l : layouts) {
        if (!l.layout) continue;
        const QMargins m = l.layout->contentsMargins();
        if (m == l.margins && !m.isNull())
            l.layout->setContentsMargins(scaledExtent(m.left(), r), scaledExtent(m.top(), r),
                                         scaledExtent(m.right(), r), scaledExtent(m.bottom(), r));
        if (l.spacing > 0 && l.layout->spacing() == l.spacing)
            l.layout->setSpacing(scaledExtent(l.spacing, r));
    }

    // Sizes taken from the style are asked again.
    for (const QPointer<QWidget>& w : widgets) {
        if (!w) continue;
        QEvent changed(QEvent::StyleChange);
        QApplication::sendEvent(w, &changed);
    }
    for (const LayoutBefore& l : layouts)
        if (l.layout) l.layout->invalidate();

    // A menu's sub-menus are windows of their own, shown from it.
    if (auto* menu = qobject_cast<QMenu*>(window))
        for (QAction* action : menu->actions())
            if (action->menu()) scaleWithBench(action->menu(), window);

    // A size the program gave grows too; one it did not is the layout's. The
    // dialogs are smaller than the bench, so that grown as much as the bench
    // they still fit the screen it fits.
    if (window->testAttribute(Qt::WA_Resized)) window->resize(scaledSize(window->size(), r));
}

void scaleToolTipsWithBench()
{
    static QPointer<QObject> installed;
    if (installed || !qApp) return;
    installed = new ToolTipScaler(qApp);
    qApp->installEventFilter(installed);
}

QPixmap iconPicture(const QIcon& icon, int side, double scale)
{
    const QPixmap design = icon.pixmap(side, side);
    if (scale <= 1.0 || design.isNull()) return design;
    const QSize wanted = (design.deviceIndependentSize() * scale).toSize();
    const QPixmap drawn = icon.pixmap(wanted);
    if (drawn.deviceIndependentSize().width() >= wanted.width() - 0.5) return drawn;
    const qreal ratio = design.devicePixelRatio();
    QPixmap grown = design.scaled(wanted * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    grown.setDevicePixelRatio(ratio);
    return grown;
}

} // namespace titrage
