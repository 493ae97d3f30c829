#include "chart/LayerAxes.h"

#include "chart/JointLayers.h"
#include "platform/Canvas.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr std::array<TColor, MaxLayers> layerColors{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

std::size_t slot(int layer) { return static_cast<std::size_t>(std::clamp(layer, 1, MaxLayers) - 1); }

// One row of the standard layouts: the margins, the chart caption, and how many x and y
// axes are shown and where.
struct LayoutRow {
    int bottom, top, left, right;
    int captionX, captionY;
    TAlignment captionAlignment;
    TCaptionAnchorHoriz anchorH;
    int xAxes;   // visible x axes
    bool xBoth;  // the second x axis stands at the top
    int yAxes;   // visible y axes
    bool yBoth;  // the second y axis stands at the right
};

constexpr std::array<LayoutRow, 7> layoutRows{{
    {40, 20, 50, 20, 0, -16, taRightJustify, cahChartRight, 1, false, 1, false},
    {40, 24, 100, 20, 0, -16, taRightJustify, cahChartRight, 1, false, 2, false},
    {40, 24, 150, 20, 0, -16, taRightJustify, cahChartRight, 1, false, 3, false},
    {40, 24, 200, 20, 0, -16, taRightJustify, cahChartRight, 1, false, 4, false},
    {40, 24, 50, 50, 0, -20, taCenter, cahChartCenter, 1, false, 2, true},
    {70, 24, 100, 20, 0, -16, taRightJustify, cahChartRight, 2, false, 2, false},
    {40, 48, 50, 50, 0, -46, taCenter, cahChartCenter, 2, true, 2, true},
}};

} // namespace

TColor TLayerAxes::LayerColor(int layer) {
    return layer >= 1 && layer <= MaxLayers ? layerColors[slot(layer)] : clBlack;
}

TLayerAxes::TLayerAxes(QWidget* owner, const TChartGeometry& chartGeometry,
                       const TNotifyEvent& onAxisChange, const TScaleTickDrawnEvent& onTickDrawn)
    : owner(owner), geometry(chartGeometry), onTickDrawn(onTickDrawn) {
    for (int n = 1; n <= MaxLayers; ++n) {
        auto* xa = new TScalePropsHoriz(owner);
        auto* ya = new TScalePropsVert(owner);
        xa->SetColorScale(LayerColor(n));
        ya->SetColorScale(LayerColor(n));
        // Odd layers put their scales below and left of the data area, even ones above and
        // right (the side and the location agree).
        xa->SetScaleLocation(n % 2 == 1 ? slBottom : slTop);
        ya->SetScaleLocation(n % 2 == 1 ? slLeft : slRight);
        xa->SetScalePos((n - 1) / 2 * 30);
        ya->SetScalePos((n - 1) / 2 * 50);
        xa->OnChange = onAxisChange;
        ya->OnChange = onAxisChange;
        xAxes[slot(n)] = xa;
        yAxes[slot(n)] = ya;
    }
}

TScalePropsHoriz* TLayerAxes::XAxis(int layer) const { return xAxes[slot(layer)]; }
TScalePropsVert* TLayerAxes::YAxis(int layer) const { return yAxes[slot(layer)]; }
TScale* TLayerAxes::XScale(int layer) const { return scale(true, layer); }
TScale* TLayerAxes::YScale(int layer) const { return scale(false, layer); }

int TLayerAxes::ScaleCount() const {
    int count = 0;
    eachMadeScale([&count](TScale&) { ++count; });
    return count;
}

TScale* TLayerAxes::scale(bool x, int layer) const {
    TScale*& s = (x ? xScales : yScales)[slot(layer)];
    if (s != nullptr) {
        return s;
    }
    // As the scale would be had it been made with the axes and kept in step since.
    s = new TScale(owner);
    s->setObjectName((x ? QStringLiteral("RC_FScale_X_%1") : QStringLiteral("RC_FScale_Y_%1"))
                         .arg(slot(layer) + 1));
    s->hide(); // drawn into the chart's picture, never as a window of its own
    s->SetEmbedded(true);
    s->OnScaleTickDrawn = onTickDrawn;
    if (look.Prepared) {
        s->SetTransparent(true);
        s->SetColorBackGnd(look.Background);
        s->SetFrameStyle(fsNone);
    }
    if (look.Size) {
        s->resize(*look.Size);
    }
    if (look.Margins) {
        setMargins(x, *s);
    }
    copyAxisToScale(x ? static_cast<const TScaleProps&>(*XAxis(layer)) : *YAxis(layer), *s);
    ++made;
    return s;
}

void TLayerAxes::makeShownScales() const {
    for (int n = 1; n <= MaxLayers; ++n) {
        if (XAxis(n)->Settings().Visible()) {
            scale(true, n);
        }
        if (YAxis(n)->Settings().Visible()) {
            scale(false, n);
        }
    }
}

TAxisRange TLayerAxes::XRange(int layer) const {
    const TScaleProps& a = *XAxis(layer);
    return {a.RangeLow(), a.RangeHigh(), a.Logarithmic()};
}

TAxisRange TLayerAxes::YRange(int layer) const {
    const TScaleProps& a = *YAxis(layer);
    return {a.RangeLow(), a.RangeHigh(), a.Logarithmic()};
}

void TLayerAxes::PrepareScales(TColor background, QSize size) {
    look.Prepared = true;
    look.Background = background;
    look.Size = size;
    eachMadeScale([&](TScale& s) {
        s.SetTransparent(true);
        s.SetColorBackGnd(background);
        s.SetFrameStyle(fsNone);
        s.resize(size);
    });
    for (int n = 1; n <= MaxLayers; ++n) {
        CopyAxisToScales(n);
    }
}

void TLayerAxes::SetScaleBackground(TColor background) {
    look.Background = background;
    eachMadeScale([background](TScale& s) { s.SetColorBackGnd(background); });
}

void TLayerAxes::ResizeScales(QSize size) {
    look.Size = size;
    eachMadeScale([size](TScale& s) { s.resize(size); });
}

void TLayerAxes::EndLoading() {
    for (int n = 1; n <= MaxLayers; ++n) {
        CopyAxisToScales(n);
        XAxis(n)->Loading = false;
        YAxis(n)->Loading = false;
    }
}

void TLayerAxes::Disconnect() {
    for (auto* a : xAxes) {
        a->OnChange = nullptr;
    }
    for (auto* a : yAxes) {
        a->OnChange = nullptr;
    }
}

void TLayerAxes::CopyAxisToScales(int layer) {
    // A scale not made yet takes its axis when it is made; a shown axis needs its scale now.
    for (const bool x : {true, false}) {
        const TScaleProps& axis = x ? static_cast<const TScaleProps&>(*XAxis(layer)) : *YAxis(layer);
        TScale* s = (x ? xScales : yScales)[slot(layer)];
        if (s != nullptr) {
            copyAxisToScale(axis, *s);
        } else if (axis.Settings().Visible()) {
            scale(x, layer);
        }
    }
}

void TLayerAxes::copyAxisToScale(const TScaleProps& a, TScale& s) const {
    // The side and the distance from the data area are the chart's geometry, not settings.
    const TChartGeometry& g = geometry;
    s.SetScaleType(a.ScaleSide());
    switch (a.ScaleSide()) {
    case sctXB:
        s.SetMarginBottom(a.ScalePos() + g.Height - g.MarginTop - 1);
        break;
    case sctXT:
        s.SetMarginTop(a.ScalePos() + g.Height - g.MarginBottom - g.ShadowWidth);
        break;
    case sctYL:
        s.SetMarginLeft(a.ScalePos() + g.Width - g.MarginRight - g.ShadowWidth);
        break;
    case sctYR:
        s.SetMarginRight(a.ScalePos() + g.Width - g.MarginLeft - 1);
        break;
    }
    s.SetSettings(a.Settings());
    // Not among the settings: the font is the scale control's own, the date format an owned
    // object of each.
    s.SetFont(a.Font());
    s.SetDateFormat(a.DateFormat());
}

void TLayerAxes::setMargins(bool x, TScale& s) const {
    const TChartGeometry& g = geometry;
    if (x) {
        s.SetMarginLeft(g.MarginLeft);
        s.SetMarginRight(g.MarginRight + g.ShadowWidth - 1);
    } else {
        s.SetMarginTop(g.MarginTop);
        s.SetMarginBottom(g.MarginBottom + g.ShadowWidth - 1);
    }
}

void TLayerAxes::SetScaleMargins() {
    look.Margins = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        for (const bool x : {true, false}) {
            if (TScale* s = (x ? xScales : yScales)[slot(n)]) {
                setMargins(x, *s);
            }
        }
        CopyAxisToScales(n);
    }
}

std::uint64_t TLayerAxes::DrawGeneration() const {
    // The scales of the shown axes exist before the generation that pictures them is read.
    makeShownScales();
    std::uint64_t sum = made;
    eachMadeScale([&sum](const TScale& s) { sum += s.DrawGeneration(); });
    return sum;
}

void TLayerAxes::PaintScales(Canvas& c) {
    // A scale not made belongs to a hidden axis and would draw nothing.
    makeShownScales();
    eachMadeScale([&c](TScale& s) {
        s.SetPaintTarget(&c, 0, 0);
        s.ForcePaint();
        s.SetPaintTarget(nullptr, 0, 0);
    });
}

std::optional<TLayerAxes::TLayoutFrame> TLayerAxes::LayoutFrame(TrcLayout layout) {
    const auto index = static_cast<std::size_t>(layout);
    if (index >= layoutRows.size()) {
        return std::nullopt;
    }
    const LayoutRow& r = layoutRows[index];
    return TLayoutFrame{.MarginBottom = r.bottom,
                        .MarginTop = r.top,
                        .MarginLeft = r.left,
                        .MarginRight = r.right,
                        .CaptionPosX = r.captionX,
                        .CaptionPosY = r.captionY,
                        .CaptionAlignment = r.captionAlignment,
                        .CaptionAnchorHoriz = r.anchorH};
}

void TLayerAxes::ApplyLayout(TrcLayout layout) {
    const auto index = static_cast<std::size_t>(layout);
    if (index >= layoutRows.size()) {
        return;
    }
    const LayoutRow& r = layoutRows[index];
    // Every axis reports each setting it takes, and the chart answers a report by bringing
    // all layers' scales up to date: reported one by one, a layout would cost more than a
    // hundred such rounds. The reports are held back while the layout is applied, and the
    // chart hears once that the axes changed.
    TScaleProps* reporter = nullptr;
    std::array<TNotifyEvent, 2 * MaxLayers> held;
    for (std::size_t i = 0; i < held.size(); ++i) {
        TScaleProps* a = axisAt(i);
        held.at(i) = std::exchange(a->OnChange, [&reporter, a](QObject*) {
            if (reporter == nullptr)
                reporter = a;
        });
    }
    struct TRelease {
        TLayerAxes& axes;
        std::array<TNotifyEvent, 2 * MaxLayers>& held;
        ~TRelease() {
            for (std::size_t i = 0; i < held.size(); ++i)
                axes.axisAt(i)->OnChange = std::move(held.at(i));
        }
    };
    {
        TRelease release{*this, held};
        for (int n = 1; n <= MaxLayers; ++n) {
            TScalePropsHoriz& x = *XAxis(n);
            TScalePropsVert& y = *YAxis(n);
            if (n > 4) {
                // The layers without published axes keep the sides and distances they were
                // built with; a layout only hides their scales.
                x.SetVisible(false);
                y.SetVisible(false);
                continue;
            }
            const bool xOn = n <= r.xAxes;
            const bool yOn = n <= r.yAxes;
            // The first axis of each direction at the bottom and left; further y axes side by
            // side 50 pixels apart, further x axes 30 apart; a second axis on the far side
            // where the layout has axes on both sides.
            const bool xFar = r.xBoth && n == 2;
            const bool yFar = r.yBoth && n == 2;
            x.SetScaleLocation(xFar ? slTop : slBottom);
            y.SetScaleLocation(yFar ? slRight : slLeft);
            x.SetScalePos(xOn && !xFar ? (n - 1) * 30 : 0);
            y.SetScalePos(yOn && !yFar ? (n - 1) * 50 : 0);
            x.SetCaptionPosX(n == 1 ? 0 : 10);
            x.SetCaptionPosY(n == 1 ? 22 : 100);
            x.SetCaptionAlignment(taCenter);
            x.SetCaptionAnchor(uaSclCenter);
            y.SetCaptionPosX(n == 1 ? 0 : 10);
            y.SetCaptionPosY(n == 1 ? -16 : 100);
            y.SetCaptionAlignment(n == 1 ? taLeftJustify : taRightJustify);
            y.SetCaptionAnchor(uaSclTopLft);
            x.SetVisible(xOn);
            y.SetVisible(yOn);
        }
    }
    // All axes report to the chart's one handler, the constructor's onAxisChange.
    if (reporter != nullptr)
        Fire(reporter->OnChange, reporter);
}

TScaleProps* TLayerAxes::axisAt(std::size_t i) const {
    const std::size_t layer = i / 2;
    return i % 2 == 0 ? static_cast<TScaleProps*>(xAxes.at(layer))
                      : static_cast<TScaleProps*>(yAxes.at(layer));
}

void TLayerAxes::WidenEqualBounds(int layer, double& xLo, double& yLo, double& xHi,
                                  double& yHi) const {
    auto equalBounds = [](const TScaleProps& a, double& lo, double& hi) {
        if (lo != hi) {
            return;
        }
        if (a.Logarithmic()) {
            lo /= 1.1;
            hi *= 1.1;
        } else {
            lo -= a.MinRange() / 2;
            hi += a.MinRange() / 2;
        }
    };
    equalBounds(*XAxis(layer), xLo, xHi);
    equalBounds(*YAxis(layer), yLo, yHi);
}

void TLayerAxes::StoreRange(int layer, double xLo, double yLo, double xHi, double yHi) {
    auto apply = [](TScaleProps& a, double lo, double hi) {
        if (!(std::fabs(lo - hi) >= a.MinRange())) {
            return; // narrower than allowed (or NaN): the old range stays
        }
        if (a.Logarithmic()) {
            a.StoreRange(lo >= MinLogValue ? lo : a.RangeLow(), hi >= MinLogValue ? hi : a.RangeHigh());
        } else {
            a.StoreRange(lo, hi);
        }
    };
    apply(*XAxis(layer), xLo, xHi);
    apply(*YAxis(layer), yLo, yHi);
    CopyAxisToScales(layer);
}

void TLayerAxes::StoreWithJoins(int l, double xLo, double yLo, double xHi, double yHi,
                                const TJointLayers& joints, bool joining) {
    // A joined axis cannot be set directly: it keeps the range of the layer it follows.
    if (joints.xControlledBy(l) != l && !joining) {
        xLo = XAxis(l)->RangeLow();
        xHi = XAxis(l)->RangeHigh();
    }
    if (joints.yControlledBy(l) != l && !joining) {
        yLo = YAxis(l)->RangeLow();
        yHi = YAxis(l)->RangeHigh();
    }
    StoreRange(l, xLo, yLo, xHi, yHi);
    // Layers that follow this one take its new range.
    for (int i = 1; i <= MaxLayers; ++i) {
        if (i == l || (joints.xControlledBy(i) != l && joints.yControlledBy(i) != l)) {
            continue;
        }
        const TScaleProps& xs = *XAxis(joints.xControlledBy(i));
        const TScaleProps& ys = *YAxis(joints.yControlledBy(i));
        StoreRange(i, xs.RangeLow(), ys.RangeLow(), xs.RangeHigh(), ys.RangeHigh());
    }
}

void TLayerAxes::MakeIsometric(int layer, int areaWidthPlusOne) {
    TScaleProps& x = *XAxis(layer);
    TScaleProps& y = *YAxis(layer);
    double yLo = y.RangeLow();
    double yHi = y.RangeHigh();
    geometry.IsometricY(x.RangeLow(), x.RangeHigh(), areaWidthPlusOne, yLo, yHi);
    y.SetRangeLow(yLo);
    y.SetRangeHigh(yHi);
}
