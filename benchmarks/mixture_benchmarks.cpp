// Costs of the mixture engine: one point solved from a cold start, and a
// whole table of 250 points where each starts from the previous one; and the
// method of the lines on such a table, with its two breaks.
// Run on a Release build: build-release/bin/mixture_benchmarks
#include "model/mixturebench.h"
#include "model/linebreaks.h"
#include "model/mixture.h"

#include <benchmark/benchmark.h>

using namespace titrage;

namespace {

Mixture threeSolutes()
{
    Mixture m;
    m.solutes[0] = {MixSoluteKind::PhosphoricAcid, 0, 7, 0.01};
    m.solutes[1] = {MixSoluteKind::CatalogueAcid, 4, 7, 0.01};
    m.solutes[2] = {MixSoluteKind::SodiumChloride, 0, 7, 0.01};
    m.soluteCount = 3;
    m.titrant = MixTitrant::SodiumHydroxide;
    m.ctitrant = 0.05;
    return m;
}

Mixture sulfuricByBarium()
{
    Mixture m;
    m.solutes[0] = {MixSoluteKind::SulfuricAcid, 0, 7, 0.01};
    m.soluteCount = 1;
    m.titrant = MixTitrant::BariumHydroxide;
    m.ctitrant = 0.01;
    return m;
}

Model catalogue()
{
    Model m;
    initcatalogue(m);
    return m;
}

void point(benchmark::State& state, const Mixture& mixture)
{
    const MixtureEngine engine(mixture, catalogue());
    MixPoint p;
    double v = 0;
    for (auto _ : state) {
        engine.solve(v, p);
        benchmark::DoNotOptimize(p.sigma);
        v = v >= 25 ? 0 : v + 0.37; // every region of the curve, each from a cold start
    }
}

void curve(benchmark::State& state, const Mixture& mixture)
{
    const MixtureEngine engine(mixture, catalogue());
    MixPoint p;
    for (auto _ : state) {
        double h = 0;
        for (int i = 1; i <= 250; ++i) {
            engine.solve(i * 0.1, p, h);
            h = p.h;
        }
        benchmark::DoNotOptimize(p.sigma);
    }
}

// What the bench pays when the student changes the mixture's panel: the
// check of the whole titration, then the curve, the table and the shares.
void benchRefusal(benchmark::State& state, const Mixture& mixture)
{
    const Model model = catalogue();
    for (auto _ : state)
        benchmark::DoNotOptimize(mixtureBenchRefusal(mixture, model));
}

void benchCurve(benchmark::State& state, const Mixture& mixture)
{
    const Model model = catalogue();
    std::vector<CurveVertex> out;
    for (auto _ : state) {
        walkMixtureCurve(mixture, model, 0.2f, out);
        benchmark::DoNotOptimize(out.data());
    }
}

void benchShares(benchmark::State& state, const Mixture& mixture)
{
    const Model model = catalogue();
    MixtureStack stack;
    for (auto _ : state) {
        walkMixtureShares(mixture, model, 0.2f, stack);
        benchmark::DoNotOptimize(stack.top.data());
    }
}

} // namespace

// HCl then CH3COOH, 0,005 mol/L each, by NaOH 0,01: breaks at 10 and 20 mL;
// the lines sought on the 251 points of a table every 0,1 mL.
void brokenLines(benchmark::State& state)
{
    Mixture m;
    m.solutes[0] = {MixSoluteKind::CatalogueAcid, 2, 7, 0.005};
    m.solutes[1] = {MixSoluteKind::CatalogueAcid, 4, 7, 0.005};
    m.soluteCount = 2;
    std::vector<FitPoint> points;
    for (const TableRow& r : tabulateMixture(m, catalogue(), 1))
        points.push_back({r.v, r.sigma});
    BrokenLineOptions o;
    o.correctDilution = state.range(0) != 0;
    BrokenLines b;
    for (auto _ : state) {
        b = fitBrokenLines(points, o);
        benchmark::DoNotOptimize(b.breaks.data());
    }
    state.counters["points"] = static_cast<double>(points.size());
    state.counters["breaks"] = static_cast<double>(b.count());
}
BENCHMARK(brokenLines)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(benchRefusal, three_solutes, threeSolutes());
BENCHMARK_CAPTURE(benchCurve, three_solutes, threeSolutes());
BENCHMARK_CAPTURE(benchShares, three_solutes, threeSolutes());

BENCHMARK_CAPTURE(point, three_solutes, threeSolutes());
BENCHMARK_CAPTURE(point, sulfuric_by_barium, sulfuricByBarium());
BENCHMARK_CAPTURE(curve, three_solutes, threeSolutes());
BENCHMARK_CAPTURE(curve, sulfuric_by_barium, sulfuricByBarium());
