#pragma once
// The graph picture "Picture1": the conductivity frame, the measurement
// crosses and the finished curves, drawn on a canvas in logical units of one
// pixel (V mL at x = 40 + 13 V, sigma at y = 250 - 220 sigma / maxaxe).

#include "model/curve.h"
#include "platform/canvas.h"

#include <QStringList>

#include <vector>

namespace titrage {

class GraphView : public CanvasWidget {
    Q_OBJECT

public:
    // The logical region the picture shows: labels reach x = -18 on the left,
    // the abscissa title ends past x = 440, its index near y = 270.
    static constexpr int kLeft = -20;
    static constexpr int kWidth = 470;
    static constexpr int kHeight = 275;

    explicit GraphView(QWidget* parent = nullptr);

    // The empty frame: white, grey graduations, the sigma labels taken from
    // maxaxe, the volume labels under 0, 5 ... 25, both axes with their arrows
    // and titles. Arial 8 not bold; leaves the pen width at 1.
    void drawFrame(float maxaxe);
    // 1, or 2 for "Tracer en gras"; holds for crosses, curves and constructions.
    void setPenWidth(int width);
    int penWidth() const { return canvas().penWidth(); }

    // A measurement cross at (40 + 13 v, round(250 - 220 sigma / maxaxe)).
    // Nothing when maxaxe is 0.
    void drawCross(double v, double sigma, float maxaxe, QColor colour);
    // A finished curve: a point at the first vertex, then a line to each next one.
    void drawCurve(const std::vector<CurveVertex>& vertices, QColor colour);

    // The sigma labels of the last frame, bottom (j = 0) to top (j = 10).
    const QStringList& graduationTexts() const { return m_graduations; }

    // Largest magnitude of a coordinate handed to the painter: beyond it a
    // vertex is off the picture anyway, and huge values upset the rasteriser.
    static constexpr double kCoordinateLimit = 1e5;

private:
    void drawAxes();
    void drawSigmaTitle();
    void drawVolumeTitle();

    QStringList m_graduations;
};

} // namespace titrage
