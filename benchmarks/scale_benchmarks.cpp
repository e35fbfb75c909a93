// The bench maximised on a 1920 x 1080 screen at device pixel ratio 2: one tick
// of the tap with the repaint of every picture on view (apparatus, tab strip,
// graph or table page, labels). Run on a Release build:
// build-release/bin/scale_benchmarks
#include "bench/feuillep.h"
#include "bench/tabstrip.h"
#include "graph/graphview.h"
#include "platform/messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace titrage;

namespace {

// The tap held over a whole burette, restarted before it empties.
void tickAndRepaint(benchmark::State& state, int page, QSize window)
{
    QTemporaryDir dir;
    MessageRecorder messages;
    feuilleP w(dir.path());
    w.show();
    w.resize(window);
    w.Onglets->setOngletactif(page);
    QApplication::processEvents();
    w.repaint();
    for (auto _ : state) {
        state.PauseTiming();
        if (w.Text1[titrage::BoxPoured]->text().startsWith(QStringLiteral("24"))) {
            w.Command14_Click();
            QApplication::processEvents();
        }
        state.ResumeTiming();
        w.Timer1_Timer();              // majaff, niveaubecher and, at each step, a point
        QApplication::processEvents(); // the repaints the tick asked for
    }
    state.counters["devicePixelRatio"] = w.devicePixelRatioF();
    state.counters["windowWidth"] = w.width();
}

// A 1920 x 1080 window at ratio 2 (3840 x 2160 device pixels) ...
void BM_tapTickGraphPage(benchmark::State& state)
{
    tickAndRepaint(state, 2, QSize(1920, 1080));
}
BENCHMARK(BM_tapTickGraphPage)->Unit(benchmark::kMicrosecond);

void BM_tapTickTablePage(benchmark::State& state)
{
    tickAndRepaint(state, 3, QSize(1920, 1080));
}
BENCHMARK(BM_tapTickTablePage)->Unit(benchmark::kMicrosecond);

// ... and a 1920 x 1080 screen of ratio 2 filled (960 x 540 units).
void BM_tapTickGraphPageHalfUnits(benchmark::State& state)
{
    tickAndRepaint(state, 2, QSize(960, 540));
}
BENCHMARK(BM_tapTickGraphPageHalfUnits)->Unit(benchmark::kMicrosecond);

// Everything painted again (a window uncovered): the upper bound of a tick's repaint.
void BM_wholeWindowRepaint(benchmark::State& state)
{
    QTemporaryDir dir;
    MessageRecorder messages;
    feuilleP w(dir.path());
    w.show();
    w.resize(1920, 1080);
    w.Onglets->setOngletactif(2);
    QApplication::processEvents();
    for (auto _ : state)
        w.repaint();
}
BENCHMARK(BM_wholeWindowRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // A 1920 x 1080 screen at twice the density.
    setenv("QT_SCALE_FACTOR", "2", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
