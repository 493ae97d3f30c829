#pragma once
// The marks a chart shows over its data: four cross-hairs and thirty text labels, created as
// children of the chart. It knows where each stands in pixels and moves one to a pixel, so
// that the chart's mouse handling can pick and drag them.

#include "chart/ChartEvents.h"
#include "chart/ChartMouseTracker.h"
#include "chart/ChartTransform.h"

#include <array>
#include <span>
#include <vector>

class QWidget;
class TCrossHair;
class TTextLabel;

class TChartMarks {
public:
    static constexpr int CrossHairCount = 4;
    static constexpr int TextLabelCount = 30;

    // Cross-hair n starts on layer n; the labels are off, attached to the data, in the
    // owner's font. Every mark reports a change through `onChange`.
    TChartMarks(QWidget* owner, const TNotifyEvent& onChange);
    TChartMarks(const TChartMarks&) = delete;
    TChartMarks& operator=(const TChartMarks&) = delete;

    // Numbers outside 1..4 and 1..30 are clamped.
    TCrossHair* CrossHair(int n) const;
    TTextLabel* TextLabel(int n) const;
    std::span<TCrossHair* const> CrossHairs() const { return crossHairs; }
    std::span<TTextLabel* const> TextLabels() const { return textLabels; }

    // Where the cross-hairs stand, cross-hair n at index n - 1.
    std::array<TChartMouseTracker::TCrossHairSpot, CrossHairCount>
    CrossHairSpots(const TChartTransform& t) const;
    // Where the shown labels' anchors stand: in world coordinates where a label is attached
    // to the data, else in pixels.
    std::vector<TChartMouseTracker::TLabelSpot> LabelSpots(const TChartTransform& t) const;
    // Moves cross-hair n to pixel (x, y) of its layer without reporting a change.
    TCrossHair* MoveCrossHair(int n, int x, int y, const TChartTransform& t);
    // Moves label n's anchor to pixel (x, y) without reporting a change: world coordinates
    // where it is attached to the data, else the pixel.
    TTextLabel* MoveLabel(int n, int x, int y, const TChartTransform& t);

private:
    std::array<TCrossHair*, CrossHairCount> crossHairs{};
    std::array<TTextLabel*, TextLabelCount> textLabels{};
};
