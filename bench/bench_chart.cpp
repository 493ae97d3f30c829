// What a chart costs to paint: a full repaint of the lesson's histogram (26 bars, 90 marks,
// grid, both scales), the same histogram after one mark moved, a data-area redraw of the
// strip chart with 11 items, and the render cost against the number of lines, which must
// grow linearly.

#include "chart/RChart.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<TRChart> chart(int w, int h) {
    auto c = std::make_unique<TRChart>();
    c->resize(w, h);
    c->SetMarginLeft(50);
    c->SetMarginRight(8);
    c->SetMarginTop(6);
    c->SetMarginBottom(40);
    c->Loaded();
    c->show();
    return c;
}

// The lesson's histogram without its items: dotted grid, range 0..25 by -3.5..20.
std::unique_ptr<TRChart> histogram() {
    auto c = chart(478, 290);
    c->SetAutoRedraw(false);
    c->SetGridStyle(gsDotLines);
    c->SetGridColor(clSilver);
    c->SetRange(1, 0, -3.5, 25, 20);
    return c;
}

// Its rug of 90 marks, the first at `firstMark`, and its 26 bars.
void addHistogramItems(TRChart& c, double firstMark) {
    for (int i = 0; i < 90; ++i) {
        const double x = i == 0 ? firstMark : i * 0.25;
        c.AddLine(x, -1, x, -2.5);
    }
    c.SetFillColor(clYellow);
    for (int k = 0; k < 26; ++k) {
        c.AddBar3D(k, 0, k + 1, (k * 7) % 12, 10, 45);
    }
}

void HistogramFullRepaint(benchmark::State& state) {
    auto c = histogram();
    c->SetGridDx(5);
    c->SetGridDy(20);
    addHistogramItems(*c, 0);
    for (auto _ : state) {
        c->FullRepaint();
    }
}
BENCHMARK(HistogramFullRepaint)->Unit(benchmark::kMicrosecond);

// The histogram drawn again after one mark of its rug moved, as at a pointer move: only
// the part that changed is painted.
void HistogramOneMarkMoved(benchmark::State& state) {
    auto c = histogram();
    int step = 0;
    for (auto _ : state) {
        c->ClearDrawing();
        addHistogramItems(*c, (step % 100) * 0.2);
        c->ShowDrawing();
        ++step;
    }
}
BENCHMARK(HistogramOneMarkMoved)->Unit(benchmark::kMicrosecond);

void StripDataAreaRedraw(benchmark::State& state) {
    auto c = chart(478, 105);
    c->SetRange(1, 0, 0, 25, 12);
    for (int i = 0; i < 11; ++i) {
        c->AddRectangle(i, i, i + 2, i + 1);
    }
    for (auto _ : state) {
        c->DataAreaRedraw();
    }
}
BENCHMARK(StripDataAreaRedraw)->Unit(benchmark::kMicrosecond);

void RenderLines(benchmark::State& state) {
    auto c = chart(478, 290);
    c->SetRange(1, 0, 0, 1000, 1000);
    for (int i = 0; i < state.range(0); ++i) {
        c->AddLine((i * 37) % 1000, (i * 53) % 1000, (i * 71) % 1000, (i * 97) % 1000);
    }
    for (auto _ : state) {
        c->DataAreaRedraw();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(RenderLines)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
