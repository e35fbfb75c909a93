// Costs of the computations that run at every tick of the tap and for every
// drawn curve. Run on a Release build: build-release/benchmarks/core_benchmarks
#include "model/concentrationfit.h"
#include "model/contributions.h"
#include "model/curve.h"
#include "model/linefit.h"
#include "model/measurement.h"
#include "model/measurementimport.h"
#include "model/montecarlo.h"
#include "model/scatter.h"
#include "model/solver.h"

#include <benchmark/benchmark.h>

#include <array>

using namespace titrage;

namespace {

BenchEntries ethanoic(float v)
{
    BenchEntries e;
    e.acide = true;
    e.position = 4;
    e.c = 0.01f;
    e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    e.vverse = v;
    return e;
}

Model loaded(float v)
{
    Model m;
    initcatalogue(m);
    loadModel(m, ethanoic(v));
    return m;
}

// "Solutions réelles" at 20 °C: the same computations with the ionic
// strength and the activity coefficient settled at every point.
Model loadedReal(float v)
{
    Model m = loaded(v);
    m.conditions = {true, 20};
    return m;
}

void BM_realSolutions(benchmark::State& state)
{
    Model m = loadedReal(12.3f);
    const SigmaInputs in = ethanoic(12.3f).sigmaInputs();
    std::vector<CurveVertex> out;
    out.reserve(512);
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            solvmelange(m, true);
            break;
        case 1:
            calcsigma(m, in, 5.1, 12.3);
            break;
        case 2:
            loadModel(m, ethanoic(0.0f));
            walkCurve(m, in, 0.1f, out);
            break;
        default:
            benchmark::DoNotOptimize(tabulate(m, ethanoic(0.0f), 1).data());
        }
        benchmark::DoNotOptimize(m.sigma);
    }
    state.SetLabel(std::array{"solvmelange", "calcsigma", "curve", "table 0,1 mL"}[state.range(0)]);
}
BENCHMARK(BM_realSolutions)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_solvmelange(benchmark::State& state)
{
    Model m = loaded(12.3f);
    for (auto _ : state) {
        solvmelange(m, true);
        benchmark::DoNotOptimize(m.xprinc);
    }
}
BENCHMARK(BM_solvmelange);

void BM_calcsigma(benchmark::State& state)
{
    Model m = loaded(12.3f);
    const SigmaInputs in = ethanoic(12.3f).sigmaInputs();
    for (auto _ : state) {
        calcsigma(m, in, 5.1, 12.3);
        benchmark::DoNotOptimize(m.sigma);
    }
}
BENCHMARK(BM_calcsigma);

void BM_curveWalk(benchmark::State& state)
{
    Model m = loaded(0.0f);
    const SigmaInputs in = ethanoic(0.0f).sigmaInputs();
    std::vector<CurveVertex> out;
    out.reserve(512);
    for (auto _ : state) {
        loadModel(m, ethanoic(0.0f));
        walkCurve(m, in, 0.1f, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["vertices"] = static_cast<double>(out.size());
}
BENCHMARK(BM_curveWalk)->Unit(benchmark::kMicrosecond);

void BM_tableAtTenthOfMillilitre(benchmark::State& state)
{
    Model m = loaded(0.0f);
    size_t rows = 0;
    for (auto _ : state) {
        const auto table = tabulate(m, ethanoic(0.0f), 1);
        rows = table.size();
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_tableAtTenthOfMillilitre)->Unit(benchmark::kMicrosecond);

// The method of the two lines on the table of a whole titration (51 rows at
// 0.5 mL), ranges chosen automatically.
void BM_fitTwoLines(benchmark::State& state)
{
    Model m = loaded(0.0f);
    std::vector<FitPoint> points;
    for (const TableRow& r : tabulate(m, ethanoic(0.0f), static_cast<int>(state.range(0))))
        points.push_back({r.v, r.sigma});
    TwoLineOptions o;
    o.v0 = 20;
    TwoLines t;
    for (auto _ : state) {
        t = fitTwoLines(points, o);
        benchmark::DoNotOptimize(t.veq);
    }
    state.counters["points"] = static_cast<double>(points.size());
    state.counters["found"] = t.found() ? 1 : 0;
}
BENCHMARK(BM_fitTwoLines)->Arg(5)->Arg(1)->Unit(benchmark::kMicrosecond);

// Each ion's share along the curve, stacked.
void BM_walkContributions(benchmark::State& state)
{
    Model m = loaded(0.0f);
    const SigmaInputs in = ethanoic(0.0f).sigmaInputs();
    StackedCurve s;
    for (auto _ : state) {
        loadModel(m, ethanoic(0.0f));
        walkContributions(m, in, 0.1f, s);
        benchmark::DoNotOptimize(s.top.data());
    }
    state.counters["vertices"] = static_cast<double>(s.vertices.size());
}
BENCHMARK(BM_walkContributions)->Unit(benchmark::kMicrosecond);

// A data logger's file of 10,000 lines: a preamble, a header with units, tab
// separated cells with the decimal point and a time column first.
void BM_importMeasurements(benchmark::State& state)
{
    std::string text = "Capteur : conductimètre\nt/s\tV/mL\tsigma/µS.cm-1\n";
    for (int i = 0; i < 10000; ++i)
        text += std::to_string(i) + "\t" + std::to_string(i * 0.0025) + "\t" +
                std::to_string(4210 - i * 0.1) + "\n";
    size_t points = 0;
    for (auto _ : state) {
        const MeasurementImport r = importMeasurements(text);
        points = r.points.size();
        benchmark::DoNotOptimize(r.points.data());
    }
    state.counters["points"] = static_cast<double>(points);
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_importMeasurements)->Unit(benchmark::kMillisecond);

// "Ajuster la concentration" on a class's 26 points, every 1 mL.
void BM_fitConcentration(benchmark::State& state)
{
    Model m = loaded(0.0f);
    std::vector<ImportedMeasurement> points;
    for (int v = 0; v <= 25; ++v) {
        measure(m, ethanoic(static_cast<float>(v)));
        points.push_back({double(v), m.sigma * (v % 2 ? 1.01 : 0.99)});
    }
    for (auto _ : state) {
        const auto fit = fitConcentration(m, ethanoic(0.0f), points);
        benchmark::DoNotOptimize(fit);
    }
}
BENCHMARK(BM_fitConcentration)->Unit(benchmark::kMillisecond);

} // namespace

// "Incertitude par Monte-Carlo": 1000 draws of a realistic series of the
// strong acid measured every 0,5 mL (51 points), the two lines fitted on each.
static void BM_MonteCarloVeq1000(benchmark::State& state)
{
    titrage::Model model;
    titrage::initcatalogue(model);
    titrage::BenchEntries e;
    e.acide = true;
    e.position = 2;
    e.c = 0.01f;
    e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    std::vector<titrage::TableRow> rows = titrage::tabulate(model, e, 5);
    titrage::scatterRows(model, e.sigmaInputs(), rows, titrage::ScatterSeries(7));
    std::vector<titrage::FitPoint> points;
    for (const titrage::TableRow& r : rows)
        points.push_back({r.v, r.sigma});
    titrage::TwoLineOptions o;
    o.v0 = 20;
    const titrage::TwoLines fit = titrage::fitTwoLines(points, o);
    titrage::MonteCarloOptions mc;
    mc.v0 = 20;
    for (auto _ : state) {
        const titrage::MonteCarloResult r = titrage::monteCarloVeq(points, fit.ranges, mc);
        benchmark::DoNotOptimize(r.sd);
    }
}
BENCHMARK(BM_MonteCarloVeq1000)->Unit(benchmark::kMillisecond);
