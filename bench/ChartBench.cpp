// Laying out and painting a graph of 10,000 points: the core alone (layout,
// scaling, clipping and the drawing commands) and the widget's whole paint
// (the same plus replaying the commands into its off-screen image), for a
// line and for markers joined by a line. Run: build/bench/chart_bench
#include "charts/ChartRender.h"
#include "charts/XYGraph.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace tenvoll::charts;

constexpr int kPoints = 10000;

// A noisy wave that leaves the visible window in places, so clipping works too.
template <typename S> S* fill(TXYGraphCore& graph) {
    auto* s = graph.addSeries<S>("bench");
    for (int i = 0; i < kPoints; ++i)
        s->addPoint(i * 0.01, std::sin(i * 0.013) * 10 + std::sin(i * 0.7) * 2);
    graph.YAxis().setMax(10);
    graph.YAxis().setMin(-10);
    return s;
}

void BM_CoreLayoutAndCommands(benchmark::State& state) {
    TXYGraphCore graph;
    graph.setClientSize(1000, 700);
    graph.setGridStyle(TGraphGridStyle::gsBoth);
    if (state.range(0) == 0)
        fill<TXYLineSeries>(graph);
    else
        fill<TXYMarkerSeries>(graph)->setJoined(true);
    for (auto _ : state) {
        DrawList list = graph.paint();
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_CoreLayoutAndCommands)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"markers"})
    ->Unit(benchmark::kMillisecond);

void BM_WidgetPaint(benchmark::State& state) {
    ensureGuiApplication();
    TXYGraph widget;
    widget.resize(1000, 700);
    widget.graph().setGridStyle(TGraphGridStyle::gsBoth);
    if (state.range(0) == 0)
        fill<TXYLineSeries>(widget.graph());
    else
        fill<TXYMarkerSeries>(widget.graph())->setJoined(true);
    for (auto _ : state) {
        QImage image = widget.renderImage();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_WidgetPaint)->Arg(0)->Arg(1)->ArgNames({"markers"})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
