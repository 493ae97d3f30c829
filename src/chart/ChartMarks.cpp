#include "chart/ChartMarks.h"

#include "chart/CrossHair.h"
#include "chart/TextLabel.h"
#include "numerics/Conversions.h"

#include <QWidget>

#include <algorithm>
#include <utility>

TChartMarks::TChartMarks(QWidget* owner, const TNotifyEvent& onChange) {
    for (int n = 1; n <= CrossHairCount; ++n) {
        auto* ch = new TCrossHair(owner);
        ch->SetLayer(n);
        ch->OnChange = onChange;
        crossHairs[static_cast<std::size_t>(n - 1)] = ch;
    }
    for (auto& label : textLabels) {
        label = new TTextLabel(owner);
        label->SetPosX(0);
        label->SetPosY(0);
        label->SetAttachToData(tlamBoth);
        label->SetColorBkg(clWhite);
        label->SetShadowDx(3);
        label->SetShadowDy(3);
        label->SetFont(owner->font());
        label->SetVisible(false);
        label->SetMode(tlOff);
        label->OnChange = onChange;
    }
}

TCrossHair* TChartMarks::CrossHair(int n) const {
    return crossHairs[static_cast<std::size_t>(std::clamp(n, 1, CrossHairCount) - 1)];
}

TTextLabel* TChartMarks::TextLabel(int n) const {
    return textLabels[static_cast<std::size_t>(std::clamp(n, 1, TextLabelCount) - 1)];
}

std::array<TChartMouseTracker::TCrossHairSpot, TChartMarks::CrossHairCount>
TChartMarks::CrossHairSpots(const TChartTransform& t) const {
    std::array<TChartMouseTracker::TCrossHairSpot, CrossHairCount> spots{};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const TCrossHair& ch = *crossHairs[i];
        t.WorldToPixel(ch.Layer(), ch.PosX(), ch.PosY(), spots[i].X, spots[i].Y);
        spots[i].Mode = ch.Mode();
    }
    return spots;
}

std::vector<TChartMouseTracker::TLabelSpot> TChartMarks::LabelSpots(const TChartTransform& t) const {
    std::vector<TChartMouseTracker::TLabelSpot> spots;
    for (int n = 1; n <= TextLabelCount; ++n) {
        const TTextLabel& l = *TextLabel(n);
        if (!l.Visible() || l.Mode() == tlOff) {
            continue;
        }
        std::int32_t px = 0, py = 0;
        t.WorldToPixel(l.Layer(), l.PosX(), l.PosY(), px, py);
        if (l.AttachToData() == tlamNone || l.AttachToData() == tlamYOnly) {
            px = CheckedInt32(l.PosX());
        }
        if (l.AttachToData() == tlamNone || l.AttachToData() == tlamXOnly) {
            py = CheckedInt32(l.PosY());
        }
        spots.push_back({.Index = n, .X = px, .Y = py});
    }
    return spots;
}

TCrossHair* TChartMarks::MoveCrossHair(int n, int x, int y, const TChartTransform& t) {
    TCrossHair* ch = CrossHair(n);
    double wx = 0, wy = 0;
    t.PixelToWorld(ch->Layer(), x, y, wx, wy);
    const TNotifyEvent keep = std::move(ch->OnChange);
    ch->OnChange = nullptr; // the caller repaints once for both coordinates
    ch->SetPosX(wx);
    ch->SetPosY(wy);
    ch->OnChange = keep;
    return ch;
}

TTextLabel* TChartMarks::MoveLabel(int n, int x, int y, const TChartTransform& t) {
    TTextLabel* l = TextLabel(n);
    double wx = 0, wy = 0;
    t.PixelToWorld(l->Layer(), x, y, wx, wy);
    const TTxtLblAttachMode a = l->AttachToData();
    const TNotifyEvent keep = std::move(l->OnChange);
    l->OnChange = nullptr;
    l->SetPosX(a == tlamXOnly || a == tlamBoth ? wx : x);
    l->SetPosY(a == tlamYOnly || a == tlamBoth ? wy : y);
    l->OnChange = keep;
    return l;
}
