// The lesson's pointer-move path end to end: a move event on the histogram moves the picked
// value, measures the sample, sets the four labels, renders both charts and paints the
// window; at 30 and 90 values, and after 10 or 100 000 earlier moves (neither the cost nor
// the memory may grow with the drag). Also the time from starting the program to its first
// frame on disk, beside the same for a bare Qt window of the same size, and the two in turns.

#include "chart/RChart.h"
#include "platform/Application.h"
#include "simulation/AboutBox.h"
#include "simulation/Measloc.h"
#include "simulation/ScriptedSteps.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include <unistd.h>

namespace {

// Counts the paint events the window's widgets receive.
struct PaintCounter : QObject {
    PaintCounter(QWidget* window, int& n) : count(n) {
        for (QWidget* w : window->findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
    int& count;
};

// A window in step 2 with the first value picked, and a pointer that never stands still.
struct Dragging {
    explicit Dragging(int count) {
        window =
            std::make_unique<TFrmMeasLoc>(QStringList{QCoreApplication::applicationFilePath()});
        window->SetAboutBox(new TFrmAbout(window.get()));
        window->show();
        while (window->Model().SampleCount() < count && window->SBAddData->isEnabled())
            window->SBAddData->click();
        TScriptedSteps::Pick(*window, 1);
        chart = window->RChart1;
        int px = 0;
        chart->WorldToPixel(1, window->Model().SampleData(1), -1.0, px, y);
    }
    // One move as the user's pointer makes it: the event, then the event loop's turn, which
    // paints what the move changed and copies it to the window.
    void move() {
        step = (step + 1) % 400;
        TScriptedSteps::SendMouse(chart, QEvent::MouseMove, QPointF(60 + step, y));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    std::unique_ptr<TFrmMeasLoc> window;
    TRChart* chart = nullptr;
    int y = 0;
    int step = 0;
};

void PointerMove(benchmark::State& state) {
    Dragging d(static_cast<int>(state.range(0)));
    int paints = 0;
    PaintCounter counter(d.window.get(), paints);
    for (auto _ : state)
        d.move();
    state.counters["paints_per_move"] =
        benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.counters["values"] = d.window->Model().SampleCount();
}
BENCHMARK(PointerMove)->Arg(30)->Arg(90)->Unit(benchmark::kMicrosecond);

// The resident memory in KiB.
double residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * static_cast<double>(getpagesize()) / 1024
                             : 0;
}

void PointerMoveAfterEarlierMoves(benchmark::State& state) {
    Dragging d(90);
    d.move();
    const double before = residentKiB();
    for (int i = 0; i < state.range(0); ++i)
        d.move();
    for (auto _ : state)
        d.move();
    state.counters["strip_items"] = d.window->RChart2->Count();
    state.counters["resident_growth_KiB"] = residentKiB() - before;
}
BENCHMARK(PointerMoveAfterEarlierMoves)->Arg(10)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Starts a program that writes its first frame to the file it is given last, and waits: the
// milliseconds it took, or nothing when it failed.
std::optional<double> firstFrame(const QString& program, QStringList arguments,
                                 const QTemporaryDir& dir) {
    arguments << dir.filePath(QStringLiteral("first.png"));
    const auto start = std::chrono::steady_clock::now();
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

const QString centrova = QStringLiteral(CENTROVA_EXECUTABLE);
const QStringList centrovaArguments = {"--seed", "1", "--screenshot"};
const QString bareWindow = QStringLiteral(BARE_WINDOW_EXECUTABLE);

void FirstFrame(benchmark::State& state, const QString& program, const QStringList& arguments) {
    QTemporaryDir dir;
    for (auto _ : state) {
        if (!firstFrame(program, arguments, dir)) {
            state.SkipWithError("the program did not write its first frame");
            break;
        }
    }
}

void StartToFirstFrame(benchmark::State& state) { FirstFrame(state, centrova, centrovaArguments); }
BENCHMARK(StartToFirstFrame)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same for a bare Qt window of the main window's size: what start-up costs at least.
void BareWindowToFirstFrame(benchmark::State& state) { FirstFrame(state, bareWindow, {}); }
BENCHMARK(BareWindowToFirstFrame)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both in turns, each pair a moment apart, so that a machine whose speed drifts from one
// second to the next weighs on both alike: the median of the pairs' ratios.
void StartToFirstFrameOverBareWindow(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<double> ratios;
    for (auto _ : state) {
        const std::optional<double> ours = firstFrame(centrova, centrovaArguments, dir);
        const std::optional<double> bare = firstFrame(bareWindow, {}, dir);
        if (!ours || !bare || *bare <= 0) {
            state.SkipWithError("a program did not write its first frame");
            return;
        }
        ratios.push_back(*ours / *bare);
    }
    std::sort(ratios.begin(), ratios.end());
    state.counters["ratio"] = ratios.empty() ? 0 : ratios[ratios.size() / 2];
}
BENCHMARK(StartToFirstFrameOverBareWindow)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime; // a lock and endpoints of the benchmark's own
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
