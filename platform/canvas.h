#pragma once
// The drawing surface behind every picture of the program: a backing image in
// logical units of one pixel (y downwards), a persistent background layer that
// clearing restores, a current position, a font, colours, a pen width and a
// merge-pen mode. Each drawing step of a routine translates to one call here.
// The steps drawn since the last clearing (and those that made the background)
// are kept, so that the same drawing can be made again at another device pixel
// ratio: a canvas shown larger, or on a denser screen, or handed to a printer,
// is drawn again at that resolution instead of being stretched.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

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
    // Makes the image again at another ratio from the kept steps; the drawing
    // in logical units is unchanged.
    void setDevicePixelRatio(qreal devicePixelRatio);
    qreal devicePixelRatio() const { return m_ratio; }
    // The current drawing made at `devicePixelRatio` on a new image, the
    // canvas itself untouched (copies and prints at printer resolution).
    QImage renderedAt(qreal devicePixelRatio) const;

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

    // A drawing step the primitives lack: `step` paints in logical units on
    // the painter it is given, now and whenever the image is made again, so it
    // must capture what it draws by value.
    void paint(std::function<void(QPainter&)> step);

    // A drawing step confined to `bounds` (logical units), which lets
    // clearing and repainting stay within what changed.
    void paint(std::function<void(QPainter&)> step, const QRectF& bounds);

    // Number of steps kept since the last clearing, background excluded.
    std::size_t keptSteps() const { return m_live.steps.size(); }

    // The logical region changed since the last call (the whole picture after
    // a resize or a new background), and forgets it.
    QRectF takeChanged();

private:
    // One drawing step in logical units, with the state it was drawn in.
    struct Step {
        enum class Kind : unsigned char {
            Point,
            Line,
            Box,
            FilledBox,
            Circle,
            FilledCircle,
            Text,
            Image,
            Paint
        };
        Kind kind = Kind::Point;
        bool merge = false;
        int pen = 1;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QColor colour, colour2;
        int index = -1; // into the record's texts, images or paints
    };
    struct Text {
        QFont font;
        QString text;
    };
    struct Record {
        QColor fill; // what the steps start from when there is no background under them
        std::vector<Step> steps;
        std::vector<Text> texts;
        std::vector<QImage> images;
        std::vector<std::function<void(QPainter&)>> paints;
        void clear(QColor from)
        {
            fill = from;
            steps.clear();
            texts.clear();
            images.clear();
            paints.clear();
        }
    };

    void flush() const;
    QPainter& begin();
    void add(Step step, const QRectF& bounds);
    void markAllChanged();
    QRectF whole() const { return QRectF(m_origin, QSizeF(m_size)); }
    static void run(QPainter& p, const Step& step, const Record& record);
    QImage blankImage(qreal ratio) const;
    void replay(QImage& image, const Record& record) const;
    static void append(Record& into, const Record& from);

    QSize m_size;
    qreal m_ratio = 1.0;
    mutable QImage m_image;
    QImage m_background;
    mutable std::unique_ptr<QPainter> m_painter;
    // The steps that made the background, and those drawn since the image was
    // last cleared; the live steps start from the background when
    // m_liveOnBackground, else from a plain fill.
    Record m_backgroundSteps;
    Record m_live;
    bool m_liveOnBackground = false;
    // Where the live steps drew since the image was last cleared, and what
    // changed since the widget last asked.
    QRectF m_liveBounds;
    QRectF m_changed;
    QColor m_backColor;
    QColor m_foreColor = Qt::black;
    int m_penWidth = 1;
    QFont m_font;
    bool m_merge = false;
    QPointF m_current;
    QPointF m_origin;
};

// A widget that shows a canvas. However large the widget is shown, and on
// whatever screen, the canvas is drawn again at the resolution it is shown at.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    explicit CanvasWidget(QSize logicalSize, QWidget* parent = nullptr);
    Canvas& canvas() { return m_canvas; }
    const Canvas& canvas() const { return m_canvas; }
    // Logical coordinates of a point of the widget.
    QPointF toLogical(QPointF widgetPoint) const;
    // Device pixels per logical unit the widget is shown at.
    qreal displayRatio() const;
    // Makes the canvas again at that ratio when it differs (painting does it).
    void matchDisplay();
    // Repaints the part of the widget whose picture changed.
    void updateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Canvas m_canvas;
};

// Scales a painter just begun on an image whose device pixel ratio is below
// one (a picture shown smaller than its design) so that it draws in logical
// units like on any other image; a no-op from a ratio of one up.
void scaleToDeviceRatio(QPainter& p);

// How much larger than its design the window of `w` is shown: its property
// kLayoutScaleProperty, 1 when unset. Painted widgets draw in design units
// scaled by it.
inline constexpr const char* kLayoutScaleProperty = "layoutScale";
qreal layoutScale(const QWidget* w);

} // namespace titrage
