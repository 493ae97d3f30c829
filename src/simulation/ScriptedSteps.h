#pragma once
// The teacher's scripted steps on a live window: "More Data" up to the requested size and a
// drag done the way a student does it, with real clicks and pointer moves on the histogram.

#include "simulation/CommandLine.h"

#include <QEvent>
#include <QPointF>

class QWidget;
class TFrmMeasLoc;

class TScriptedSteps {
public:
    static constexpr int DragMoves = 50;

    // Clicks "More Data" until the sample holds options.Count values, then, with a drag,
    // clicks "Next", clicks the mark of the value at the drag's position, moves the pointer
    // in DragMoves steps to the target and clicks again.
    static void Run(TFrmMeasLoc& window, const TCommandLineOptions& options);

    // "Next", then a click on the upper end of the mark of the value at `position`: the
    // lesson is in step 2 with that mark (or an equally near one) picked.
    static void Pick(TFrmMeasLoc& window, int position);
    // One mouse event on a widget, as the window system delivers it.
    static void SendMouse(QWidget* target, QEvent::Type type, const QPointF& at,
                          Qt::MouseButton button = Qt::NoButton);
    static void Click(QWidget* target, const QPointF& at);
};
