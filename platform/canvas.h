#pragma once
// The drawing surface behind every picture of the program: a backing image in
// logical units of one pixel (y downwards), a persistent background layer that
// clearing restores, a current position, a font, colours, a pen width and a
// merge-pen mode. Each drawing step of a routine translates to one call here;
// the widget that shows a canvas only paints its image, scaled for the screen.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include <memory>

class QPainter;

namespace titrage {

class Canvas {
public:
    explicit Canvas(QSize logicalSize = QSize(1, 1), QColor backColor = Qt::white);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Size in logical units; the image is created at `devicePixelRatio` times
    // that so that drawing stays crisp on high-density screens. Clears.
    void resize(QSize logicalSize, qreal devicePixelRatio = 1.0);
    QSize size() const { return m_size; }

    // The logical point shown at the top-left corner of the image (the graph,
    // for one, draws labels left of x = 0). Default (0, 0).
    void setOrigin(QPointF origin);
    QPointF origin() const { return m_origin; }

    // The finished drawing (pending strokes are flushed first).
    const QImage& image() const;
    // Colour of the logical pixel (x, y), for tests and read-outs.
    QColor pixel(int x, int y) const;

    // Clears to the persistent background, or to the back colour when there is none.
    void cls();
    // The current drawing becomes the background that cls() restores.
    void keepAsBackground();
    void dropBackground();
    bool hasBackground() const { return !m_background.isNull(); }

    void setBackColor(QColor c) { m_backColor = c; }
    QColor backColor() const { return m_backColor; }
    void setForeColor(QColor c) { m_foreColor = c; }
    QColor foreColor() const { return m_foreColor; }
    void setPenWidth(int width) { m_penWidth = width < 1 ? 1 : width; }
    int penWidth() const { return m_penWidth; }
    void setFont(const QFont& font) { m_font = font; }
    void setFont(const QString& family, qreal pointSize, bool bold = false, bool italic = false);
    const QFont& font() const { return m_font; }
    void setBold(bool bold) { m_font.setBold(bold); }
    void setItalic(bool italic) { m_font.setItalic(italic); }
    // Merge pen: strokes and boxes are ORed into the picture (washes it out).
    void setMergePen(bool merge) { m_merge = merge; }
    bool mergePen() const { return m_merge; }

    QPointF currentPosition() const { return m_current; }
    void moveTo(double x, double y) { m_current = {x, y}; }
    double currentX() const { return m_current.x(); }
    double currentY() const { return m_current.y(); }

    // Primitives. Each moves the current position to its end point.
    void pset(double x, double y, QColor color);
    void line(double x1, double y1, double x2, double y2, QColor color);
    void lineTo(double x, double y, QColor color);
    // Rectangle outline between two corners; `fill` fills it as well.
    void box(double x1, double y1, double x2, double y2, QColor outline);
    void filledBox(double x1, double y1, double x2, double y2, QColor fill);
    void filledBox(double x1, double y1, double x2, double y2, QColor fill, QColor outline);
    void circle(double cx, double cy, double r, QColor outline);
    void filledCircle(double cx, double cy, double r, QColor fill, QColor outline);

    // Text with its top-left corner at the current position, in the fore
    // colour; the position then moves to the end of the text on the same line.
    void print(const QString& text);
    void printAt(double x, double y, const QString& text);
    double textWidth(const QString& text) const;
    double textHeight(const QString& text = QStringLiteral("Xg")) const;

    void drawImage(double x, double y, const QImage& image);

    // A painter on the image in logical units, for shapes the primitives lack.
    // Valid until the next call that flushes (image(), cls(), keepAsBackground()).
    QPainter& painter();

private:
    void flush() const;
    QPainter& begin();

    QSize m_size;
    qreal m_ratio = 1.0;
    mutable QImage m_image;
    QImage m_background;
    mutable std::unique_ptr<QPainter> m_painter;
    QColor m_backColor;
    QColor m_foreColor = Qt::black;
    int m_penWidth = 1;
    QFont m_font;
    bool m_merge = false;
    QPointF m_current;
    QPointF m_origin;
};

// A widget that shows a canvas, scaled to the widget when it is resized.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    explicit CanvasWidget(QSize logicalSize, QWidget* parent = nullptr);
    Canvas& canvas() { return m_canvas; }
    const Canvas& canvas() const { return m_canvas; }
    // Logical coordinates of a point of the widget.
    QPointF toLogical(QPointF widgetPoint) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Canvas m_canvas;
};

} // namespace titrage
