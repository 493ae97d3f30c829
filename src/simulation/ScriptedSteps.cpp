#include "simulation/ScriptedSteps.h"

#include "chart/RChart.h"
#include "simulation/Measloc.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>

void TScriptedSteps::SendMouse(QWidget* target, QEvent::Type type, const QPointF& at,
                               Qt::MouseButton button) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void TScriptedSteps::Click(QWidget* target, const QPointF& at) {
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

void TScriptedSteps::Pick(TFrmMeasLoc& window, int position) {
    window.SBNext->click();
    int px = 0, py = 0;
    window.RChart1->WorldToPixel(1, window.Model().SampleData(position), -1.0, px, py);
    // The chart reports where the pointer is before a click on it.
    SendMouse(window.RChart1, QEvent::MouseMove, QPointF(px, py));
    Click(window.RChart1, QPointF(px, py));
}

void TScriptedSteps::Run(TFrmMeasLoc& window, const TCommandLineOptions& options) {
    // Bounded by the largest sample: each click adds 20 values or is refused.
    for (int round = 0; round < 3 && window.Model().SampleCount() < options.Count; ++round)
        window.SBAddData->click();
    if (!options.Drag)
        return;

    Pick(window, options.Drag->Position);
    TRChart* chart = window.RChart1;
    int px = 0, py = 0, tx = 0, ty = 0;
    chart->WorldToPixel(1, window.Model().SampleData(options.Drag->Position), -1.0, px, py);
    chart->WorldToPixel(1, options.Drag->Target, -1.0, tx, ty);
    // The chart hands its handler the position of the move before; the last move repeats
    // the target so that the value ends there.
    for (int i = 1; i <= DragMoves; ++i) {
        const double x = px + (tx - px) * static_cast<double>(std::min(i, DragMoves - 1)) /
                                  (DragMoves - 1);
        SendMouse(chart, QEvent::MouseMove, QPointF(x, py));
    }
    Click(chart, QPointF(tx, py));
}
