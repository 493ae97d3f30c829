#pragma once
// The teacher's scripted steps on a live window: "More Data" up to the requested size and a
// drag done the way a student does it, with real clicks and pointer moves on the histogram.

#include "simulation/CommandLine.h"

class TFrmMeasLoc;

class TScriptedSteps {
public:
    static constexpr int DragMoves = 50;

    // Clicks "More Data" until the sample holds options.Count values, then, with a drag,
    // clicks "Next", clicks the mark of the value at the drag's position, moves the pointer
    // in DragMoves steps to the target and clicks again.
    static void Run(TFrmMeasLoc& window, const TCommandLineOptions& options);
};
