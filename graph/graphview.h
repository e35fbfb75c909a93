#pragma once
// The graph picture "Picture1": the conductivity frame, the measurement
// crosses and the finished curves, drawn on a canvas in logical units of one
// pixel (V mL at x = 40 + 13 V, sigma at y = 250 - 220 sigma / maxaxe; the
// frame's figures are those of model/graphframe.h).

#include "graph/core/constructions.h"
#include "graph/core/graphscale.h"
#include "graph/core/readout.h"
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
    // and titles. Arial 8 not bold; leaves the pen width at 1. In the pH view
    // the ordinate is the pH (0 to 14, graduated every unit); with both, the
    // sigma frame gets the pH axis on its right.
    void drawFrame(float maxaxe);
    void setMode(GraphMode mode) { m_mode = mode; }
    GraphMode mode() const { return m_mode; }
    // 1, or 2 for "Tracer en gras"; holds for crosses, curves and constructions.
    void setPenWidth(int width);
    int penWidth() const { return canvas().penWidth(); }

    // A measurement cross at (40 + 13 v, round(250 - 220 sigma / maxaxe)).
    // Nothing when maxaxe is 0.
    void drawCross(double v, double sigma, float maxaxe, QColor colour);
    // A class's imported measurement: a diagonal cross, told apart from the
    // student's upright ones even in black and white.
    void drawImportedCross(double v, double sigma, float maxaxe, QColor colour);
    // A finished curve: a point at the first vertex, then a line to each next one.
    void drawCurve(const std::vector<CurveVertex>& vertices, QColor colour);
    // A measured pH: a small circle at (40 + 13 v, round(phY(ph))), apart
    // from the sigma crosses when both are shown.
    void drawPhPoint(double v, double ph, QColor colour);
    // The curve's pH against the pH axis: solid in the pH view, dashed beside
    // the sigma curve.
    void drawPhCurve(const std::vector<CurveVertex>& vertices, QColor colour);
    // The curves of a titration as the view shows them: sigma, pH or both.
    void drawViewedCurve(const std::vector<CurveVertex>& vertices, QColor colour);
    // A measurement as the view shows it: its cross, its pH circle or both
    // (the pH only when `ph` holds one).
    void drawViewedPoint(double v, double sigma, std::optional<double> ph, float maxaxe,
                         QColor colour);

    // The sigma labels of the last frame, bottom (j = 0) to top (j = 10);
    // none in the pH view.
    const QStringList& graduationTexts() const { return m_graduations; }
    // The pH axis's labels of the last frame, pH 0 to 14 (empty texts
    // between the labelled ones); none in the sigma view.
    const QStringList& phGraduationTexts() const { return m_phGraduations; }

    // "Méthode des tangentes" over the finished curve; `model` holds the
    // bench's titration (used as working storage). Draws the pH scale on the
    // right-hand side with the pH curve in grey, then the construction in
    // black; when the tangents are too close, shows the error message after
    // drawing them. Nothing at all when veq is outside 2 .. 23 mL.
    TangentOutcome drawTangents(Model& model, bool acide);
    // "Courbe dérivée": d(pX)/dV over the same volume axis, in RGB(200, 100, 100).
    void drawDerivative(Model& model);

    // The distribution diagram, in three steps around the redrawing of the
    // finished curves: the percentage frame; the wash-out that lightens what
    // is drawn (curves included); then the two forms' curves and the legend.
    void drawDistributionFrame();
    void washOut();
    void drawDistribution(const std::vector<DistributionVertex>& vertices);

    // The tooltip for the pointer at a logical point (empty: none).
    QString readout(QPointF logical, bool titration) const;
    // Sets the pointer shape and the tooltip for the mouse at `widgetPos`.
    void updateReadout(QPoint widgetPos, bool titration);

    // Largest magnitude of a coordinate handed to the painter: beyond it a
    // vertex is off the picture anyway, and huge values upset the rasteriser.
    static constexpr double kCoordinateLimit = 1e5;

    // A mixture's derivative, points as btderive gives them.
    void drawDerivative(const std::vector<PlotPoint>& points);

private:
    // Grid lines 22 units apart from y = 250 up, labelled with `labels`, and
    // one per millilitre labelled every 5 mL; then the axes.
    void drawGrid(const QStringList& labels, QColor horizontal, QColor vertical);
    void drawAxes();
    void drawPhScale();
    void drawPhGrid();
    void drawPhTitle(double x, double y);
    void drawViewKey();
    void drawPlot(const std::vector<PlotPoint>& points, QColor colour);
    void drawSegment(const PlotSegment& s, QColor colour);
    void drawSigmaTitle();
    void drawVolumeTitle();

    QStringList m_graduations;
    QStringList m_phGraduations;
    GraphMode m_mode = GraphMode::Sigma;
};

} // namespace titrage
