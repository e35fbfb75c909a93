#pragma once
// Scales a window laid out by hand at a fixed design size: every control keeps
// its place and its share of the window at any size, fonts grow with it, and
// the design's proportions are kept (the spare width or height is split into
// two bars). The routines and the tests keep speaking in design units: a
// control placed or moved in design units is put at its scaled place, and the
// painting of the window and of its painted panels is scaled the same way.

#include <QFont>
#include <QImage>

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <memory>

class QWidget;

namespace titrage {

class LayoutScaler : public QObject {
    Q_OBJECT

public:
    // `window` is laid out in `designSize` units when this is made.
    LayoutScaler(QWidget* window, QSize designSize);

    // The scaler of the window `w` belongs to, or null.
    static LayoutScaler* of(const QWidget* w);

    qreal scale() const { return m_scale; }
    // Where the design's top-left corner lands in the window.
    QPoint offset() const { return m_offset; }
    QSize designSize() const { return m_designSize; }

    // Fits the design into `windowSize` and places everything again.
    void fit(QSize windowSize);
    // A control's place in design units, in its parent's frame (its plain
    // geometry when the scaler does not place it).
    QRect designGeometry(const QWidget* w) const;
    // Whether the scaler places `w` (its own children are the control's business
    // when not).
    bool places(const QWidget* w) const { return m_placed.contains(w); }
    // Moves a control the scaler places to `design` (design units) at once,
    // even while the window is hidden and the control's move is still pending.
    void setDesignGeometry(QWidget* w, const QRect& design);
    // A point of the window in design units, and back.
    QPointF toDesign(QPointF windowPoint) const;
    QPointF toWindow(QPointF designPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> widget;
        QRect design;  // in the parent's design units
        QRect applied; // what was last set
        bool leaf = false;
        bool ownFont = false; // leaves and group boxes: the font grows
        QFont font;     // the design font, where ownFont
        QSize iconSize; // buttons with an icon: the design icon size
        QString styleSheet;
        bool topLevelChild = false; // a child of the window: shifted by the offset
    };

    void collect(QWidget* parent);
    void apply(Placed& p);
    QRect scaled(const Placed& p) const;

    QWidget* m_window;
    QSize m_designSize;
    qreal m_scale = 1.0;
    QPoint m_offset;
    bool m_applying = false;
    QHash<const QWidget*, Placed> m_placed;
    std::unique_ptr<QImage> m_textDevice; // rich text's screen when shown larger
};

} // namespace titrage
