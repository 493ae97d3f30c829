#include "simulation/ScriptedSteps.h"

#include "chart/RChart.h"
#include "simulation/Measloc.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>

namespace {

void send(QWidget* target, QEvent::Type type, const QPointF& at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, const QPointF& at) {
    send(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    send(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

} // namespace

void TScriptedSteps::Run(TFrmMeasLoc& window, const TCommandLineOptions& options) {
    // Bounded by the largest sample: each click adds 20 values or is refused.
    for (int round = 0; round < 3 && window.Model().SampleCount() < options.Count; ++round)
        window.SBAddData->click();
    if (!options.Drag)
        return;

    window.SBNext->click();
    TRChart* chart = window.RChart1;
    const double value = window.Model().SampleData(options.Drag->Position);
    int px = 0, py = 0, tx = 0, ty = 0;
    chart->WorldToPixel(1, value, -1.0, px, py);   // the upper end of the value's mark
    chart->WorldToPixel(1, options.Drag->Target, -1.0, tx, ty);
    const QPointF start(px, py);
    // The chart reports where the pointer is before a click on it.
    send(chart, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    click(chart, start);
    // The chart hands its handler the position of the move before; the last move repeats
    // the target so that the value ends there.
    for (int i = 1; i <= DragMoves; ++i) {
        const double x = px + (tx - px) * static_cast<double>(std::min(i, DragMoves - 1)) /
                                  (DragMoves - 1);
        send(chart, QEvent::MouseMove, QPointF(x, py), Qt::NoButton, Qt::NoButton);
    }
    click(chart, QPointF(tx, py));
}
