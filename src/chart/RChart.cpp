#include "chart/RChart.h"

#include "chart/EQRXRChartError.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"
#include "platform/MessageBox.h"

#include <QResizeEvent>

#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr std::array<TColor, MaxLayers> layerColors{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

std::size_t slot(int layer) { return static_cast<std::size_t>(layer - 1); }

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

TColor TCustomRChart::LayerColor(int layer) {
    return layer >= 1 && layer <= MaxLayers ? layerColors[slot(layer)] : clBlack;
}

TCustomRChart::TCustomRChart(QWidget* owner) : QWidget(owner), list(std::make_shared<TDisplayList>()) {
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    geometry.MarginLeft = 50;
    geometry.MarginRight = 10;
    geometry.MarginTop = 16;
    geometry.MarginBottom = 32;
    layerVisible.fill(true);
    classVisible.fill(true);
    mouseLayers.fill(false);
    mouseLayers[0] = true;

    for (int n = 1; n <= 4; ++n) {
        auto* ch = new TCrossHair(this);
        ch->SetLayer(n);
        ch->OnChange = [this](QObject*) { repaintIfAuto(); };
        crossHairs[static_cast<std::size_t>(n - 1)] = ch;
    }
    for (auto& label : textLabels) {
        label = new TTextLabel(this);
        label->SetPosX(0);
        label->SetPosY(0);
        label->SetAttachToData(tlamBoth);
        label->SetColorBkg(clWhite);
        label->SetShadowDx(3);
        label->SetShadowDy(3);
        label->SetFont(font());
        label->SetVisible(false);
        label->SetMode(tlOff);
        label->OnChange = [this](QObject*) { repaintIfAuto(); };
    }
    backGroundImg = new TBakGndImg(this);
    backGroundImg->OnChange = [this](QObject*) { repaintIfAuto(); };
    jointLayers = new TJointLayers(this, this);
    jointLayers->OnChange = [this](QObject*) { repaintIfAuto(); };

    autoRedraw = false;
    RegisterCursor(1, QStringLiteral("CURHAND"));
    RegisterCursor(2, QStringLiteral("CURZOOMW"));
    RegisterCursor(3, QStringLiteral("CURZOOMD"));
    RegisterCursor(4, QStringLiteral("CURZOOMP"));
    // Moves without a button reach the chart too; arrow keys and Tab come with the focus.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    for (int n = 1; n <= MaxLayers; ++n) {
        auto* xs = new TScale(this);
        auto* ys = new TScale(this);
        xs->setObjectName(QStringLiteral("RC_FScale_X_%1").arg(n));
        ys->setObjectName(QStringLiteral("RC_FScale_Y_%1").arg(n));
        for (TScale* s : {xs, ys}) {
            s->hide(); // drawn into the chart's picture, never as windows of their own
            s->SetEmbedded(true);
            s->OnScaleTickDrawn = [this](QObject*, Canvas& c, TScaleType type, double v, int x,
                                         int y) { Fire(OnScaleTickDrawn, this, c, type, v, x, y); };
        }
        auto* xa = new TScalePropsHoriz(this);
        auto* ya = new TScalePropsVert(this);
        xa->SetColorScale(LayerColor(n));
        ya->SetColorScale(LayerColor(n));
        // Odd layers put their scales below and left of the data area, even ones above and
        // right (the side and the location agree).
        xa->SetScaleLocation(n % 2 == 1 ? slBottom : slTop);
        ya->SetScaleLocation(n % 2 == 1 ? slLeft : slRight);
        xa->SetScalePos((n - 1) / 2 * 30);
        ya->SetScalePos((n - 1) / 2 * 50);
        xa->OnChange = [this](QObject*) { axisSettingsChanged(); };
        ya->OnChange = [this](QObject*) { axisSettingsChanged(); };
        xScales[slot(n)] = xs;
        yScales[slot(n)] = ys;
        xAxes[slot(n)] = xa;
        yAxes[slot(n)] = ya;
    }
    resize(280, 200);
    geometry.Width = 280;
    geometry.Height = 200;
    SetStandardLayout(rcl_X1Bottom_Y1Left);
    for (int n = 1; n <= MaxLayers; ++n) {
        for (TScale* s : {XScale(n), YScale(n)}) {
            s->SetTransparent(true);
            s->SetColorBackGnd(windColor);
            s->SetFrameStyle(fsNone);
            s->resize(size());
        }
        copyAxisToScales(n);
    }
    setScaleMargins();
    autoRedraw = true;
}

TCustomRChart::~TCustomRChart() {
    // The owned objects call back into the chart on change; nothing may run while they go.
    for (auto* a : xAxes) {
        a->OnChange = nullptr;
    }
    for (auto* a : yAxes) {
        a->OnChange = nullptr;
    }
    if (dataOwner != nullptr) {
        auto& s = dataOwner->sharers;
        s.erase(std::remove(s.begin(), s.end(), this), s.end());
    }
    for (TCustomRChart* sharer : sharers) {
        sharer->dataOwner = nullptr;
        sharer->list = std::make_shared<TDisplayList>();
    }
}

void TCustomRChart::Loaded() {
    layoutLoading = false;
    for (int n = 1; n <= MaxLayers; ++n) {
        copyAxisToScales(n);
        XAxis(n)->Loading = false;
        YAxis(n)->Loading = false;
    }
    RecalcTransforms();
    FullRepaint();
}

TScalePropsHoriz* TCustomRChart::XAxis(int layer) const {
    return xAxes[slot(std::clamp(layer, 1, MaxLayers))];
}
TScalePropsVert* TCustomRChart::YAxis(int layer) const {
    return yAxes[slot(std::clamp(layer, 1, MaxLayers))];
}
TScale* TCustomRChart::XScale(int layer) const {
    return xScales[slot(std::clamp(layer, 1, MaxLayers))];
}
TScale* TCustomRChart::YScale(int layer) const {
    return yScales[slot(std::clamp(layer, 1, MaxLayers))];
}
TCrossHair* TCustomRChart::CrossHair(int n) const {
    return crossHairs[static_cast<std::size_t>(std::clamp(n, 1, 4) - 1)];
}
TTextLabel* TCustomRChart::TextLabel(int n) const {
    return textLabels[static_cast<std::size_t>(std::clamp(n, 1, TextLabelCount) - 1)];
}

bool TCustomRChart::LayerVisible(int layer) const {
    return layer >= 1 && layer <= MaxLayers && layerVisible[slot(layer)];
}
void TCustomRChart::SetLayerVisible(int layer, bool value) {
    if (layer >= 1 && layer <= MaxLayers) {
        layerVisible[slot(layer)] = value;
    }
}
bool TCustomRChart::ClassVisible(int c) const {
    return c >= 0 && c <= 255 && classVisible[static_cast<std::size_t>(c)];
}
void TCustomRChart::SetClassVisible(int c, bool value) {
    if (c >= 0 && c <= 255) {
        classVisible[static_cast<std::size_t>(c)] = value;
    }
}

// The display list ------------------------------------------------------------------------

void TCustomRChart::ClearDrawing() {
    list->Clear();
}

TDrawItem TCustomRChart::newItem(std::uint8_t kind, double x1, double y1, double x2,
                                 double y2) const {
    TDrawItem it;
    it.Kind = kind;
    it.X1 = x1;
    it.Y1 = y1;
    it.X2 = x2;
    it.Y2 = y2;
    it.Layer = activeLayer;
    it.ColorClass = static_cast<std::uint8_t>(classDefault);
    it.Color = dataColor;
    it.PenStyle = static_cast<std::uint8_t>(penStyle);
    it.FillColor = fillColor;
    it.LineWidth = lineWidth;
    return it;
}

void TCustomRChart::AddLine(double x1, double y1, double x2, double y2) {
    list->Add(newItem(dkLine, x1, y1, x2, y2));
}

void TCustomRChart::AddRectangle(double x1, double y1, double x2, double y2) {
    list->Add(newItem(dkRect, x1, y1, x2, y2));
}

void TCustomRChart::AddBar3D(double x1, double y1, double x2, double y2, int depth, int angle) {
    TDrawItem it = newItem(dkBar3D, x1, y1, x2, y2);
    it.Depth = depth;
    it.Angle = std::clamp(angle, 0, 180);
    list->Add(it);
}

void TCustomRChart::ShowDrawing() {
    if (isVisible()) {
        if (autoRedraw) {
            DataAreaRedraw();
        } else {
            FullRepaint();
        }
    }
    // The whole sharing group shows the list it holds: the owner and its sharers (this
    // chart among them when it shows another's list), and this chart's own sharers with
    // this chart, their owner. A chart without partners has no group.
    std::vector<TCustomRChart*> group;
    if (dataOwner != nullptr) {
        group.push_back(dataOwner);
        group.insert(group.end(), dataOwner->sharers.begin(), dataOwner->sharers.end());
    }
    if (!sharers.empty()) {
        group.push_back(this);
        group.insert(group.end(), sharers.begin(), sharers.end());
    }
    for (TCustomRChart* c : group) {
        c->repaintIfAuto();
    }
}

void TCustomRChart::GetItem(int index, TDrawItem& item) const {
    if (!list->Get(index, item)) {
        item.Kind = dkNone;
    }
}

int TCustomRChart::FindNearestItem(double x, double y, std::uint8_t kindFilter,
                                   std::uint8_t classFilter, double& distance) const {
    double px = 0, py = 0;
    transform.WorldToPixelReal(activeLayer, x, y, px, py);
    // Distances are measured between rounded pixels, as the items are drawn.
    px = std::nearbyint(px);
    py = std::nearbyint(py);
    return list->FindNearest(
        px, py, kindFilter, classFilter,
        [this](double wx, double wy, double& qx, double& qy) {
            transform.WorldToPixelReal(activeLayer, wx, wy, qx, qy);
            qx = std::nearbyint(qx);
            qy = std::nearbyint(qy);
        },
        distance);
}

// Ranges -----------------------------------------------------------------------------------

TAxisRange TCustomRChart::axisRange(const TScaleProps& a) const {
    return {a.RangeLow(), a.RangeHigh(), a.Logarithmic()};
}

void TCustomRChart::RecalcTransforms() {
    if (loading()) {
        return;
    }
    for (int n = 1; n <= MaxLayers; ++n) {
        transform.Recalc(geometry, n, axisRange(*XAxis(n)), axisRange(*YAxis(n)));
    }
}

void TCustomRChart::WorldToPixel(int layer, double x, double y, int& px, int& py) const {
    std::int32_t a = 0, b = 0;
    transform.WorldToPixel(layer, x, y, a, b);
    px = a;
    py = b;
}

void TCustomRChart::PixelToWorld(int layer, double px, double py, double& x, double& y) const {
    transform.PixelToWorld(layer, px, py, x, y);
}

void TCustomRChart::JointAxisRange(int layer, bool xAxis, double& low, double& high) const {
    const TScaleProps& a = xAxis ? static_cast<const TScaleProps&>(*XAxis(layer))
                                 : static_cast<const TScaleProps&>(*YAxis(layer));
    low = a.RangeLow();
    high = a.RangeHigh();
}

void TCustomRChart::SetRange(int layer, double xLo, double yLo, double xHi, double yHi) {
    if (layer < 0 || layer > MaxLayers) {
        throw EQRXRChartError("SetRange: layer " + std::to_string(layer) +
                              " is out of range (0..16)");
    }
    if (layer == 0) {
        for (int n = 1; n <= MaxLayers; ++n) {
            setRangeOne(n, xLo, yLo, xHi, yHi);
        }
    } else {
        setRangeOne(layer, xLo, yLo, xHi, yHi);
    }
    if (autoRedraw && !loading()) {
        FullRepaint();
    }
}

void TCustomRChart::setRangeOne(int l, double xLo, double yLo, double xHi, double yHi) {
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
    equalBounds(*XAxis(l), xLo, xHi);
    equalBounds(*YAxis(l), yLo, yHi);
    if (isometric) {
        const double c = (yLo + yHi) / 2;
        const double h = (xHi - xLo) * (geometry.AreaHeight() + 1) /
                         std::max(geometry.AreaWidth() + 1, 1) * aspectY / aspectX / 2;
        yLo = c - h;
        yHi = c + h;
    }
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    applyWithJoins(l, xLo, yLo, xHi, yHi);
    paintSuspended = wasSuspended;
    if (!paintSuspended) {
        FullRepaint();
    }
}

void TCustomRChart::TakeJoinedRange(int layer, double xLo, double yLo, double xHi, double yHi) {
    // The layer just joined takes the controlling layer's range, although its axis is
    // joined already and SetRange alone would keep its old range.
    struct TRestore {
        int& joining;
        int previous;
        ~TRestore() { joining = previous; }
    } restore{joiningLayer, std::exchange(joiningLayer, layer)};
    SetRange(layer, xLo, yLo, xHi, yHi);
}

void TCustomRChart::applyWithJoins(int l, double xLo, double yLo, double xHi, double yHi) {
    // A joined axis cannot be set directly: it keeps the range of the layer it follows.
    const bool joining = l == joiningLayer;
    if (jointLayers->xControlledBy(l) != l && !joining) {
        xLo = XAxis(l)->RangeLow();
        xHi = XAxis(l)->RangeHigh();
    }
    if (jointLayers->yControlledBy(l) != l && !joining) {
        yLo = YAxis(l)->RangeLow();
        yHi = YAxis(l)->RangeHigh();
    }
    applyRange(l, xLo, yLo, xHi, yHi);
    // Layers that follow this one take its new range.
    for (int i = 1; i <= MaxLayers; ++i) {
        if (i == l || (jointLayers->xControlledBy(i) != l && jointLayers->yControlledBy(i) != l)) {
            continue;
        }
        const TScaleProps& xs = *XAxis(jointLayers->xControlledBy(i));
        const TScaleProps& ys = *YAxis(jointLayers->yControlledBy(i));
        applyRange(i, xs.RangeLow(), ys.RangeLow(), xs.RangeHigh(), ys.RangeHigh());
    }
}

void TCustomRChart::applyRange(int layer, double xLo, double yLo, double xHi, double yHi) {
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
    copyAxisToScales(layer);
    RecalcTransforms();
}

void TCustomRChart::axisSettingsChanged() {
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        copyAxisToScales(n);
    }
    for (int l = 1; l <= MaxLayers; ++l) {
        // Each layer's current range again, so that joined axes follow their controller.
        applyWithJoins(l, XAxis(l)->RangeLow(), YAxis(l)->RangeLow(), XAxis(l)->RangeHigh(),
                       YAxis(l)->RangeHigh());
    }
    paintSuspended = wasSuspended;
    FullRepaint();
}

void TCustomRChart::copyAxisToScales(int layer) {
    copyAxisToScale(*XAxis(layer), *XScale(layer));
    copyAxisToScale(*YAxis(layer), *YScale(layer));
}

void TCustomRChart::copyAxisToScale(const TScaleProps& a, TScale& s) {
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
    s.SetRangeLow(a.RangeLow());
    s.SetRangeHigh(a.RangeHigh());
    if (a.RangeLow() == a.RangeHigh()) {
        s.SetRangeLow(a.RangeLow()); // the scale's own rule moves the high end
    }
    s.SetVisible(a.Visible());
    s.SetCaption(a.Caption());
    s.SetCaptionPosX(a.CaptionPosX());
    s.SetCaptionPosY(a.CaptionPosY());
    s.SetCaptionAlignment(a.CaptionAlignment());
    s.SetCaptionAnchor(a.CaptionAnchor());
    s.SetColorScale(a.ColorScale());
    s.SetLogarithmic(a.Logarithmic());
    s.SetLabelType(a.LabelType());
    // After the label type, which sets four decimals for clock labels on the scale.
    s.SetDecPlaces(a.DecPlaces());
    s.SetShortTicks(a.ShortTicks());
    s.SetMinTicks(a.MinTicks());
    s.SetScaleInscript(a.ScaleInscript());
    s.SetUserTickText(a.UserTickText());
    s.SetFont(a.Font());
    s.SetDateFormat(a.DateFormat());
}

void TCustomRChart::setScaleMargins() {
    const TChartGeometry& g = geometry;
    for (int n = 1; n <= MaxLayers; ++n) {
        XScale(n)->SetMarginLeft(g.MarginLeft);
        XScale(n)->SetMarginRight(g.MarginRight + g.ShadowWidth - 1);
        YScale(n)->SetMarginTop(g.MarginTop);
        YScale(n)->SetMarginBottom(g.MarginBottom + g.ShadowWidth - 1);
        copyAxisToScales(n);
    }
}

void TCustomRChart::applyIsometric(int layer, int areaWidthPlusOne) {
    TScaleProps& x = *XAxis(layer);
    TScaleProps& y = *YAxis(layer);
    const double c = (y.RangeLow() + y.RangeHigh()) / 2;
    const double h = (x.RangeHigh() - x.RangeLow()) * (geometry.AreaHeight() + 1) /
                     std::max(areaWidthPlusOne, 1) * aspectY / aspectX / 2;
    y.SetRangeLow(c - h);
    y.SetRangeHigh(c + h);
}

// Properties -------------------------------------------------------------------------------

void TCustomRChart::repaintIfAuto() {
    if (autoRedraw) {
        FullRepaint();
    }
}

#define CENTROVA_REPAINTING_SETTER(Name, field, Type)                                           \
    void TCustomRChart::Set##Name(Type v) {                                                     \
        field = v;                                                                              \
        repaintIfAuto();                                                                        \
    }

CENTROVA_REPAINTING_SETTER(GridStyle, gridStyle, GridStyleType)
CENTROVA_REPAINTING_SETTER(ChartFrameColor, chartFrameColor, TColor)
CENTROVA_REPAINTING_SETTER(ChartColor, chartColor, TColor)
CENTROVA_REPAINTING_SETTER(GridColor, gridColor, TColor)
CENTROVA_REPAINTING_SETTER(Caption, caption, const QString&)
CENTROVA_REPAINTING_SETTER(CaptionPosX, captionPosX, int)
CENTROVA_REPAINTING_SETTER(CaptionPosY, captionPosY, int)
CENTROVA_REPAINTING_SETTER(CaptionAlignment, captionAlignment, TAlignment)
CENTROVA_REPAINTING_SETTER(CaptionAnchorHoriz, captionAnchorHoriz, TCaptionAnchorHoriz)
CENTROVA_REPAINTING_SETTER(CaptionAnchorVert, captionAnchorVert, TCaptionAnchorVert)
CENTROVA_REPAINTING_SETTER(ShadowStyle, shadowStyle, TShadowStyle)
CENTROVA_REPAINTING_SETTER(ShadowColor, shadowColor, TColor)
CENTROVA_REPAINTING_SETTER(ShadowBakColor, shadowBakColor, TColor)
CENTROVA_REPAINTING_SETTER(TextFontStyle, textFontStyle, int)
CENTROVA_REPAINTING_SETTER(TextBkStyle, textBkStyle, TTextBkg)
CENTROVA_REPAINTING_SETTER(TextBkColor, textBkColor, TColor)
CENTROVA_REPAINTING_SETTER(TextAlignment, textAlignment, TAlignment)

#undef CENTROVA_REPAINTING_SETTER

void TCustomRChart::SetWindColor(TColor v) {
    windColor = v;
    for (int n = 1; n <= MaxLayers; ++n) {
        XScale(n)->SetColorBackGnd(v);
        YScale(n)->SetColorBackGnd(v);
    }
    repaintIfAuto();
}

void TCustomRChart::SetBackGroundImg(TBakGndImg* v) {
    if (v != nullptr && v != backGroundImg) {
        backGroundImg->SetIncludePath(v->IncludePath());
        backGroundImg->SetName(v->Name());
        backGroundImg->SetFillMode(v->FillMode());
        backGroundImg->SetAreaMode(v->AreaMode());
        backGroundImg->SetAreaColor(v->AreaColor());
        backGroundImg->SetAreaLeft(v->AreaLeft());
        backGroundImg->SetAreaRight(v->AreaRight());
        backGroundImg->SetAreaTop(v->AreaTop());
        backGroundImg->SetAreaBottom(v->AreaBottom());
    }
    repaintIfAuto();
}

void TCustomRChart::SetJointLayers(TJointLayers* v) {
    if (v != nullptr && v != jointLayers) {
        jointLayers->Assign(*v);
    }
    repaintIfAuto();
}

void TCustomRChart::SetClassDefault(int v) {
    if (v >= 0 && v < 255) {
        classDefault = v;
    }
}

void TCustomRChart::SetGridDx(double v) {
    if (v >= -3) {
        gridDx = v;
        repaintIfAuto();
    }
}

void TCustomRChart::SetGridDy(double v) {
    if (v >= -3) {
        gridDy = v;
        repaintIfAuto();
    }
}

void TCustomRChart::SetIsometric(bool v) {
    isometric = v;
    if (v) {
        applyIsometricToAll();
        repaintIfAuto();
    }
}

void TCustomRChart::applyIsometricToAll() {
    // Each y range setter repaints; one repaint follows when the caller is done.
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        applyIsometric(n, geometry.AreaWidth() + 1);
    }
    paintSuspended = wasSuspended;
}

void TCustomRChart::SetMarginLeft(int v) {
    geometry.MarginLeft = v;
    marginChanged();
}

void TCustomRChart::SetMarginRight(int v) {
    geometry.MarginRight = v;
    marginChanged();
}

void TCustomRChart::SetMarginTop(int v) {
    geometry.MarginTop = v;
    marginChanged();
}

void TCustomRChart::SetMarginBottom(int v) {
    geometry.MarginBottom = v;
    marginChanged();
}

void TCustomRChart::marginChanged() {
    // The data area has a new shape: an isometric chart keeps its aspect on every layer.
    if (isometric) {
        applyIsometricToAll();
    }
    geometryChanged();
}

void TCustomRChart::geometryChanged() {
    setScaleMargins();
    RecalcTransforms();
    repaintIfAuto();
}

void TCustomRChart::SetShadowWidth(int v) {
    geometry.ShadowWidth = std::clamp(v, 0, 32);
    geometryChanged();
}

void TCustomRChart::SetStandardLayout(TrcLayout v) {
    const auto index = static_cast<std::size_t>(v);
    if (index >= layoutRows.size()) {
        return;
    }
    standardLayout = v;
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    const LayoutRow& r = layoutRows[index];
    geometry.MarginBottom = r.bottom;
    geometry.MarginTop = r.top;
    geometry.MarginLeft = r.left;
    geometry.MarginRight = r.right;
    captionPosX = r.captionX;
    captionPosY = r.captionY;
    captionAlignment = r.captionAlignment;
    captionAnchorHoriz = r.anchorH;
    captionAnchorVert = cavChartTop;
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
        const bool xShown = n <= r.xAxes;
        const bool yShown = n <= r.yAxes;
        // The first axis of each direction at the bottom and left; further y axes side by
        // side 50 pixels apart, further x axes 30 apart; a second axis on the far side
        // where the layout has axes on both sides.
        const bool xFar = r.xBoth && n == 2;
        const bool yFar = r.yBoth && n == 2;
        x.SetScaleLocation(xFar ? slTop : slBottom);
        y.SetScaleLocation(yFar ? slRight : slLeft);
        x.SetScalePos(xShown && !xFar ? (n - 1) * 30 : 0);
        y.SetScalePos(yShown && !yFar ? (n - 1) * 50 : 0);
        x.SetCaptionPosX(n == 1 ? 0 : 10);
        x.SetCaptionPosY(n == 1 ? 22 : 100);
        x.SetCaptionAlignment(taCenter);
        x.SetCaptionAnchor(uaSclCenter);
        y.SetCaptionPosX(n == 1 ? 0 : 10);
        y.SetCaptionPosY(n == 1 ? -16 : 100);
        y.SetCaptionAlignment(n == 1 ? taLeftJustify : taRightJustify);
        y.SetCaptionAnchor(uaSclTopLft);
        x.SetVisible(xShown);
        y.SetVisible(yShown);
    }
    setScaleMargins();
    paintSuspended = wasSuspended;
}

void TCustomRChart::SetUseDataOf(TCustomRChart* other) {
    if (other == this) {
        ShowMessage(this, QStringLiteral("RChart: Cannot share data with myself"));
        return;
    }
    if (!sharers.empty()) {
        ShowMessage(this,
                    QStringLiteral("RChart: Cannot use foreign data. Other RCharts are using my own data."));
        return;
    }
    if (other == dataOwner) {
        return;
    }
    auto leaveOwner = [this] {
        if (dataOwner != nullptr) {
            auto& s = dataOwner->sharers;
            s.erase(std::remove(s.begin(), s.end(), this), s.end());
        }
    };
    if (other != nullptr) {
        TCustomRChart* owner = other->dataOwner != nullptr ? other->dataOwner : other;
        if (owner == this || owner == dataOwner) {
            return; // that list is the one this chart shows already
        }
        if (static_cast<int>(owner->sharers.size()) >= MaxSharers) {
            ShowMessage(this, QStringLiteral("RChart: Max. number of data shares exceeded"));
            return;
        }
        leaveOwner();
        dataOwner = owner;
        list = owner->list;
        owner->sharers.push_back(this);
    } else {
        leaveOwner();
        dataOwner = nullptr;
        list = std::make_shared<TDisplayList>();
    }
    repaintIfAuto();
}

// Events -------------------------------------------------------------------------------------

void TCustomRChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    const int minW = geometry.MarginLeft + geometry.MarginRight + geometry.ShadowWidth + 80;
    const int minH = geometry.MarginTop + geometry.MarginBottom + geometry.ShadowWidth + 20;
    if (width() < minW || height() < minH) {
        resize(std::max(width(), minW), std::max(height(), minH));
    }
    geometry.Width = width();
    geometry.Height = height();
    for (int n = 1; n <= MaxLayers; ++n) {
        if (isometric) {
            applyIsometric(n, geometry.Width - geometry.MarginLeft - geometry.MarginRight -
                                  2 * geometry.ShadowWidth + 1);
        }
        XScale(n)->resize(size());
        YScale(n)->resize(size());
    }
    setScaleMargins();
    RecalcTransforms();
    paintSuspended = wasSuspended;
    FullRepaint();
}

void TCustomRChart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (paintSuspended) {
        paintSuspended = false; // the window exists now
        FullRepaint();
    }
}
