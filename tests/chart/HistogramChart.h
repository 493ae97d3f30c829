#pragma once
// A chart control of the lesson histogram's size and margins, loaded and shown, so that a
// test can read what it draws into its window image.

#include "chart/RChart.h"

#include <memory>

inline std::unique_ptr<TRChart> HistogramGeometryChart(bool autoRedraw) {
    auto c = std::make_unique<TRChart>();
    c->resize(478, 290);
    c->SetMarginLeft(50);
    c->SetMarginRight(8);
    c->SetMarginTop(6);
    c->SetMarginBottom(40);
    c->SetAutoRedraw(autoRedraw);
    c->Loaded();
    c->show();
    return c;
}
