#pragma once
// The graph page's tools, each a class: registered in feuilleP::createGraphTools.

#include "bench/graphtool.h"

namespace titrage {

// "Effacer": the curve forgotten, the titration back to 0 mL.
class EraseTool : public GraphTool {
public:
    explicit EraseTool(GraphToolHost& host);
    void run() override;
};

// "Restaurer": the graph drawn again.
class RestoreTool : public GraphTool {
public:
    explicit RestoreTool(GraphToolHost& host);
    void run() override;
};

// "Diagramme de distribution": the fractions of the two forms against V.
class DistributionTool : public GraphTool {
public:
    explicit DistributionTool(GraphToolHost& host);
    void run() override;
    // Both forms are needed: not for the strong acid or base.
    bool applies() const override;
};

// "Méthode des tangentes" on the pH curve, E written beside its point.
class TangentTool : public GraphTool {
public:
    explicit TangentTool(GraphToolHost& host);
    void run() override;
    bool applies() const override;

private:
    void writeEquivalencePoint(const Model& before);
};

// "Courbe dérivée": dpX/dV.
class DerivativeTool : public GraphTool {
public:
    explicit DerivativeTool(GraphToolHost& host);
    void run() override;

private:
    void drawImportedSlopes();
};

// "Contributions des ions": each ion's share λ·[X] of sigma, stacked.
class ContributionsTool : public GraphTool {
public:
    explicit ContributionsTool(GraphToolHost& host);
    void run() override;
    // The shares of sigma need the sigma axis: not in the pH view.
    bool applies() const override;
};

} // namespace titrage
