#include "bench/graphtools.h"
#include "model/graphframe.h"

#include <QCoreApplication>

#include "bench/benchcurves.h"
#include "bench/core/benchstate.h"
#include "graph/core/constructions.h"
#include "graph/core/curvereadout.h"
#include "graph/core/mixturederivative.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "graph/mixtureshares.h"
#include "model/contributions.h"
#include "model/measurementimport.h"

#include <algorithm>
#include <cmath>

namespace titrage {

EraseTool::EraseTool(GraphToolHost& host)
    : GraphTool(host, "Command12", QCoreApplication::translate("titrage::GraphTool", "Effacer"),
                QCoreApplication::translate("titrage::GraphTool", "Effacer la courbe"))
{
}

void EraseTool::run()
{
    host().clearCurve();
}

RestoreTool::RestoreTool(GraphToolHost& host)
    : GraphTool(host, "Command9", QCoreApplication::translate("titrage::GraphTool", "Restaurer"),
                QCoreApplication::translate("titrage::GraphTool", "Redessiner le graphe"))
{
}

void RestoreTool::run()
{
    host().restoreGraph();
}

DistributionTool::DistributionTool(GraphToolHost& host)
    : GraphTool(host, "Command3",
                QCoreApplication::translate("titrage::GraphTool", "Diagramme de\ndistribution"),
                QCoreApplication::translate("titrage::GraphTool", "Diagramme de distribution"))
{
}

void DistributionTool::run()
{
    host().restoreGraph();
    GraphView& g = host().graph();
    g.drawDistributionFrame();
    host().redrawFinishedCurves();
    g.washOut();
    std::vector<DistributionVertex> forms;
    BenchState& state = host().state();
    walkDistribution(state.model(), host().entries().acide, forms);
    g.drawDistribution(forms);
    state.setGraphetitrage(false);
}

bool DistributionTool::applies() const
{
    const BenchEntries e = host().entries();
    // A mixture has no one couple whose two forms the diagram would show.
    return !host().state().mixture() && !isStrongSolute(e.acide, e.position);
}

TangentTool::TangentTool(GraphToolHost& host)
    : GraphTool(host, "image4",
                QCoreApplication::translate("titrage::GraphTool", "Méthode des\ntangentes"),
                QCoreApplication::translate("titrage::GraphTool", "Méthode des tangentes"))
{
}

bool TangentTool::applies() const
{
    // The tangents need the single couple's pH curve.
    return !host().state().mixture();
}

void TangentTool::run()
{
    Model& model = host().state().model();
    const Model before = model;
    if (host().graph().drawTangents(model, host().entries().acide) == TangentOutcome::Complete)
        writeEquivalencePoint(before);
}

void TangentTool::writeEquivalencePoint(const Model& before)
{
    Model model = before;
    const TangentConstruction t = titrage::tangente(model, host().entries().acide);
    if (t.outcome != TangentOutcome::Complete) return;
    const QString text = QString::fromStdString(tangentPointText(t.veq, t.phE));
    GraphView& g = host().graph();
    // Beside E where neither the construction's lines nor a curve cross it.
    drawLabelBeside(g.canvas(), {text}, QPointF(t.e.x, t.e.y));
    g.update();
    host().showStatus(text);
}

DerivativeTool::DerivativeTool(GraphToolHost& host)
    : GraphTool(host, "image5",
                QCoreApplication::translate("titrage::GraphTool", "Courbe\ndérivée"),
                QCoreApplication::translate("titrage::GraphTool", "Courbe dérivée"))
{
}

void DerivativeTool::run()
{
    if (const auto& m = host().state().mixture()) {
        BenchState& state = host().state();
        const std::vector<PlotPoint> points =
            mixtureDerivative(mixtureWith(*m, host().entries().sigmaInputs()), state.model());
        host().graph().drawDerivative(points);
        // A precipitation hardly moves the pH: its derivative lies on the axis.
        if (std::all_of(points.begin(), points.end(),
                        [](const PlotPoint& p) { return p.y > kGraphBottom - 2; }))
            host().showStatus(QCoreApplication::translate(
                "titrage::GraphTool", "Le pH ne varie presque pas au cours de ce titrage : sa "
                                      "courbe dérivée reste sur l'axe des volumes."));
        return;
    }
    host().graph().drawDerivative(host().state().model());
    drawImportedSlopes();
}

void DerivativeTool::drawImportedSlopes()
{
    // A class's measurements have no pH: their derivative is dσ/dV, drawn
    // about the frame's middle line, the largest slope reaching near the edge.
    const BenchState& state = host().state();
    std::vector<ImportedMeasurement> points;
    for (const MeasuredPoint& p : state.importedPoints(state.current()))
        points.push_back({p.volume, p.sigma});
    const std::vector<MeasuredSlope> slopes = measuredSlopes(points);
    double largest = 0;
    for (const MeasuredSlope& s : slopes)
        largest = std::max(largest, std::fabs(s.slope));
    if (slopes.size() < 2 || !(largest > 0) || !std::isfinite(largest)) return;
    GraphView& g = host().graph();
    Canvas& c = g.canvas();
    const QColor colour = BenchCurves::importedColour();
    const double middle = kGraphBottom - kGraphHeight / 2;
    c.line(kGraphLeft, middle, kGraphRight, middle, colour.lighter(160));
    bool first = true;
    for (const MeasuredSlope& s : slopes) {
        const double x = graphX(s.volume);
        if (x > GraphView::kCoordinateLimit) break;
        const double y = middle - s.slope / largest * kGraphHeight * 0.45;
        if (first)
            c.pset(x, y, colour);
        else
            c.lineTo(x, y, colour);
        c.circle(x, y, 1.5, colour);
        c.pset(x, y, colour);
        first = false;
    }
    c.setForeColor(colour);
    c.printAt(kGraphLeft + 4, middle + 2,
              QCoreApplication::translate("titrage::GraphTool", "dσ/dV des mesures importées"));
    g.update();
}

ContributionsTool::ContributionsTool(GraphToolHost& host)
    : GraphTool(host, "contributions",
                QCoreApplication::translate("titrage::GraphTool", "Contributions\ndes ions"),
                QCoreApplication::translate("titrage::GraphTool", "Contributions des ions"))
{
}

bool ContributionsTool::applies() const
{
    return showsSigma(host().state().graphMode());
}

void ContributionsTool::run()
{
    BenchState& state = host().state();
    if (state.current() < 0) return;
    host().restoreGraph();
    Model model = state.model();
    const BenchEntries e = host().entries();
    if (const auto& m = state.mixture()) {
        MixtureStack stack;
        walkMixtureShares(mixtureWith(*m, e.sigmaInputs()), model, state.maxaxe(), stack);
        GraphView& g = host().graph();
        drawMixtureShares(g.canvas(), stack, state.maxaxe());
        g.drawCurve(stack.vertices, host().currentColour());
        host().drawKeptPoints();
        host().showStatus(
            stack.solids.empty()
                ? QCoreApplication::translate("titrage::GraphTool",
                                              "Chaque aire colorée est la part λ·[X] d'un ion : "
                                              "leur somme est la conductivité σ.")
                : QCoreApplication::translate(
                      "titrage::GraphTool", "Chaque aire colorée est la part λ·[X] d'un ion : leur "
                                            "somme est la conductivité σ ; les tirets, la "
                                            "quantité de précipité."));
        return;
    }
    loadModel(model, e);
    StackedCurve stack;
    walkContributions(model, e.sigmaInputs(), state.maxaxe(), stack);
    GraphView& g = host().graph();
    drawContributions(g.canvas(), stack, state.maxaxe());
    g.drawCurve(stack.vertices, host().currentColour());
    host().drawKeptPoints();
    host().showStatus(QCoreApplication::translate(
        "titrage::GraphTool", "Chaque aire colorée est la part λ·[X] d'un ion : "
                              "leur somme est la conductivité σ."));
}

} // namespace titrage
