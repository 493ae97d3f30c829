#pragma once
// The callback types of the charting subsystem. Every event takes its sender first; an
// unassigned callback is an empty std::function and is simply not called (Fire, beside
// TNotifyEvent in platform/NotifyEvent.h).

#include "chart/ChartTypes.h"
#include "platform/NotifyEvent.h"

#include <Qt>

#include <functional>

class Canvas;
class QObject;
class TCrossHair;
class TTextLabel;

using TZoomPanEvent = std::function<void(QObject* sender)>;
using TRubberBandEvent =
    std::function<void(QObject* sender, int Layer, double LoX, double LoY, double HiX, double HiY)>;
using TMouseMoveInChartEvent = std::function<void(QObject* sender, bool InChart,
                                                  Qt::KeyboardModifiers Shift, double rMousePosX,
                                                  double rMousePosY)>;
using TRenderEvent = std::function<void(QObject* sender, Canvas& canvas, int Top, int Left)>;
using TCrossHairMoveEvent = std::function<void(QObject* sender, TCrossHair* WhichCrossHair)>;
using TTextLabelMoveEvent = std::function<void(QObject* sender, TTextLabel* WhichTextLabel)>;
using TScaleTickDrawnEvent =
    std::function<void(QObject* sender, Canvas& canvas, TScaleType ScaleType,
                       double CurrentTickPos, int ChartX, int ChartY)>;
using TScaleRenderedEvent = std::function<void(QObject* sender, Canvas& canvas)>;
