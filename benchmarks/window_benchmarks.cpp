// Costs of the bench window's routines, offscreen: one tick of the tap, a
// restart with ten superposed finished curves, "Trace rapide", start-up.
// Run on a Release build: build-release/bin/window_benchmarks
#include "bench/feuillep.h"
#include "bench/parametrespage.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "model/measurement.h"
#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace titrage;

namespace {

// The process's peak resident memory, from the kernel's own account.
double peakResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void BM_startUp(benchmark::State& state)
{
    QTemporaryDir dir;
    MessageRecorder messages;
    for (auto _ : state) {
        feuilleP w(dir.path());
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.grab());
    }
    state.counters["peakRSS_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_startUp)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_tapTick(benchmark::State& state)
{
    QTemporaryDir dir;
    MessageRecorder messages;
    feuilleP w(dir.path());
    w.show();
    for (auto _ : state) {
        state.PauseTiming();
        if (w.Text1[titrage::BoxPoured]->text().startsWith(QStringLiteral("24"))) w.Command14_Click();
        state.ResumeTiming();
        w.Timer1_Timer(); // majaff, niveaubecher and, at each step, a point
    }
}
BENCHMARK(BM_tapTick)->Unit(benchmark::kMicrosecond);

void BM_reinitialiseTenSuperposedCurves(benchmark::State& state)
{
    QTemporaryDir dir;
    MessageRecorder messages;
    feuilleP w(dir.path());
    for (int k = 0; k < 10; ++k) {
        w.Option2_Click(k);
        w.lbecher->setCurrentIndex(k);
        w.lbecher_Click();
        w.Command13_Click();
    }
    w.Picture3->Check1->setChecked(true);
    w.Picture3->UpDown1->setValue(1); // a 251-row table
    w.Option2_Click(9);
    for (auto _ : state)
        w.reinitialise();
}
BENCHMARK(BM_reinitialiseTenSuperposedCurves)->Unit(benchmark::kMillisecond);

void BM_fastPlot(benchmark::State& state)
{
    QTemporaryDir dir;
    MessageRecorder messages;
    feuilleP w(dir.path());
    for (auto _ : state)
        w.Command13_Click();
}
BENCHMARK(BM_fastPlot)->Unit(benchmark::kMillisecond);

// The stacked view of the ions' shares: the walk, the areas and their legend
// on the graph's canvas, and the finished image.
void BM_contributionsView(benchmark::State& state)
{
    GraphView graph;
    Model m;
    initcatalogue(m);
    BenchEntries e;
    e.position = 4;
    e.c = e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = e.vverse = 0.0f;
    StackedCurve stack;
    for (auto _ : state) {
        graph.drawFrame(0.068f);
        loadModel(m, e);
        walkContributions(m, e.sigmaInputs(), 0.068f, stack);
        drawContributions(graph.canvas(), stack, 0.068f);
        benchmark::DoNotOptimize(graph.canvas().image().constBits());
    }
    state.counters["vertices"] = static_cast<double>(stack.vertices.size());
}
BENCHMARK(BM_contributionsView)->Unit(benchmark::kMicrosecond);

// The empty frame alone, what the view above draws first.
void BM_graphFrame(benchmark::State& state)
{
    GraphView graph;
    for (auto _ : state) {
        graph.drawFrame(0.068f);
        benchmark::DoNotOptimize(graph.canvas().image().constBits());
    }
}
BENCHMARK(BM_graphFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
