#include "chart/RChart.h"

#include "chart/EQRXRChartError.h"
#include "numerics/Conversions.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"
#include "platform/MessageBox.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cmath>
#include <string>
#include <utility>

namespace {

std::size_t slot(int layer) { return static_cast<std::size_t>(layer - 1); }

QPoint pixelOf(const QMouseEvent* e) {
    return QPoint(CheckedInt32(e->position().x()), CheckedInt32(e->position().y()));
}

} // namespace

TColor TCustomRChart::LayerColor(int layer) { return TLayerAxes::LayerColor(layer); }

TCustomRChart::TCustomRChart(QWidget* owner) : QWidget(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    geometry.MarginLeft = 50;
    geometry.MarginRight = 10;
    geometry.MarginTop = 16;
    geometry.MarginBottom = 32;
    layerVisible.fill(true);
    classVisible.fill(true);
    createCrossHairsAndLabels();
    createBackgroundAndJoints();
    autoRedraw = false; // the parts change while they are put together: no repaints
    setUpMouse();
    createLayers();
    applyDefaultLayout();
    autoRedraw = true;
}

void TCustomRChart::createCrossHairsAndLabels() {
    marks = std::make_unique<TChartMarks>(this, [this](QObject*) { repaintIfAuto(); });
}

void TCustomRChart::createBackgroundAndJoints() {
    backGroundImg = new TBakGndImg(this);
    backGroundImg->OnChange = [this](QObject*) { repaintIfAuto(); };
    jointLayers = new TJointLayers(this, this);
    jointLayers->OnChange = [this](QObject*) { repaintIfAuto(); };
}

void TCustomRChart::setUpMouse() {
    RegisterCursor(1, QStringLiteral("CURHAND"));
    RegisterCursor(2, QStringLiteral("CURZOOMW"));
    RegisterCursor(3, QStringLiteral("CURZOOMD"));
    RegisterCursor(4, QStringLiteral("CURZOOMP"));
    // Moves without a button reach the chart too; arrow keys and Tab come with the focus.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TCustomRChart::createLayers() {
    layerAxes = std::make_unique<TLayerAxes>(
        this, geometry, [this](QObject*) { axisSettingsChanged(); },
        [this](QObject*, Canvas& c, TScaleType type, double v, int x, int y) {
            Fire(OnScaleTickDrawn, this, c, type, v, x, y);
        });
}

void TCustomRChart::applyDefaultLayout() {
    resize(280, 200);
    geometry.Width = 280;
    geometry.Height = 200;
    SetStandardLayout(rcl_X1Bottom_Y1Left);
    layerAxes->PrepareScales(style.WindColor, size());
    layerAxes->SetScaleMargins();
}

TCustomRChart::~TCustomRChart() {
    // The owned objects call back into the chart on change; nothing may run while they go.
    layerAxes->Disconnect();
}

void TCustomRChart::Loaded() {
    layoutLoading = false;
    layerAxes->EndLoading();
    RecalcTransforms();
    FullRepaint();
}

TScalePropsHoriz* TCustomRChart::XAxis(int layer) const { return layerAxes->XAxis(layer); }
TScalePropsVert* TCustomRChart::YAxis(int layer) const { return layerAxes->YAxis(layer); }
TScale* TCustomRChart::XScale(int layer) const { return layerAxes->XScale(layer); }
TScale* TCustomRChart::YScale(int layer) const { return layerAxes->YScale(layer); }
TCrossHair* TCustomRChart::CrossHair(int n) const { return marks->CrossHair(n); }
TTextLabel* TCustomRChart::TextLabel(int n) const { return marks->TextLabel(n); }

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
    share.List().Clear();
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
    it.LineWidth = style.LineWidth;
    return it;
}

void TCustomRChart::AddLine(double x1, double y1, double x2, double y2) {
    share.List().Add(newItem(dkLine, x1, y1, x2, y2));
}

void TCustomRChart::AddRectangle(double x1, double y1, double x2, double y2) {
    share.List().Add(newItem(dkRect, x1, y1, x2, y2));
}

void TCustomRChart::AddBar3D(double x1, double y1, double x2, double y2, int depth, int angle) {
    TDrawItem it = newItem(dkBar3D, x1, y1, x2, y2);
    it.Depth = depth;
    it.Angle = std::clamp(angle, 0, 180);
    share.List().Add(it);
}

void TCustomRChart::ShowDrawing() {
    if (isVisible()) {
        if (autoRedraw) {
            dataAreaRedraw();
        } else {
            fullRepaint();
        }
    }
    // The whole sharing group shows the list it holds.
    for (TCustomRChart* c : share.Group()) {
        c->repaintIfAuto();
    }
}

void TCustomRChart::GetItem(int index, TDrawItem& item) const {
    if (!share.List().Get(index, item)) {
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
    return share.List().FindNearest(
        px, py, kindFilter, classFilter,
        [this](double wx, double wy, double& qx, double& qy) {
            transform.WorldToPixelReal(activeLayer, wx, wy, qx, qy);
            qx = std::nearbyint(qx);
            qy = std::nearbyint(qy);
        },
        distance);
}

// Ranges -----------------------------------------------------------------------------------

void TCustomRChart::RecalcTransforms() {
    if (loading()) {
        return;
    }
    for (int n = 1; n <= MaxLayers; ++n) {
        transform.Recalc(geometry, n, layerAxes->XRange(n), layerAxes->YRange(n));
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
    layerAxes->WidenEqualBounds(l, xLo, yLo, xHi, yHi);
    if (isometric)
        geometry.IsometricY(xLo, xHi, geometry.AreaWidth() + 1, yLo, yHi);
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
    layerAxes->StoreWithJoins(l, xLo, yLo, xHi, yHi, *jointLayers, l == joiningLayer);
    RecalcTransforms();
}

void TCustomRChart::axisSettingsChanged() {
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        layerAxes->CopyAxisToScales(n);
    }
    for (int l = 1; l <= MaxLayers; ++l) {
        // Each layer's current range again, so that joined axes follow their controller.
        applyWithJoins(l, XAxis(l)->RangeLow(), YAxis(l)->RangeLow(), XAxis(l)->RangeHigh(),
                       YAxis(l)->RangeHigh());
    }
    paintSuspended = wasSuspended;
    FullRepaint();
}

// Properties -------------------------------------------------------------------------------

void TCustomRChart::repaintIfAuto() {
    ++stateGeneration; // the pictures no longer show the chart's state
    if (autoRedraw) {
        FullRepaint();
    }
}

#define CENTROVA_REPAINTING_SETTER(Name, field, Type)                                           \
    void TCustomRChart::Set##Name(Type v) {                                                     \
        field = v;                                                                              \
        repaintIfAuto();                                                                        \
    }

CENTROVA_REPAINTING_SETTER(GridStyle, style.GridStyle, GridStyleType)
CENTROVA_REPAINTING_SETTER(ChartFrameColor, style.ChartFrameColor, TColor)
CENTROVA_REPAINTING_SETTER(ChartColor, style.ChartColor, TColor)
CENTROVA_REPAINTING_SETTER(GridColor, style.GridColor, TColor)
CENTROVA_REPAINTING_SETTER(Caption, style.Caption, const QString&)
CENTROVA_REPAINTING_SETTER(CaptionPosX, style.CaptionPosX, int)
CENTROVA_REPAINTING_SETTER(CaptionPosY, style.CaptionPosY, int)
CENTROVA_REPAINTING_SETTER(CaptionAlignment, style.CaptionAlignment, TAlignment)
CENTROVA_REPAINTING_SETTER(CaptionAnchorHoriz, style.CaptionAnchorHoriz, TCaptionAnchorHoriz)
CENTROVA_REPAINTING_SETTER(CaptionAnchorVert, style.CaptionAnchorVert, TCaptionAnchorVert)
CENTROVA_REPAINTING_SETTER(ShadowStyle, style.ShadowStyle, TShadowStyle)
CENTROVA_REPAINTING_SETTER(ShadowColor, style.ShadowColor, TColor)
CENTROVA_REPAINTING_SETTER(ShadowBakColor, style.ShadowBakColor, TColor)
CENTROVA_REPAINTING_SETTER(TextFontStyle, textFontStyle, int)
CENTROVA_REPAINTING_SETTER(TextBkStyle, textBkStyle, TTextBkg)
CENTROVA_REPAINTING_SETTER(TextBkColor, textBkColor, TColor)
CENTROVA_REPAINTING_SETTER(TextAlignment, textAlignment, TAlignment)

#undef CENTROVA_REPAINTING_SETTER

void TCustomRChart::SetWindColor(TColor v) {
    style.WindColor = v;
    layerAxes->SetScaleBackground(v);
    repaintIfAuto();
}

void TCustomRChart::SetBackGroundImg(TBakGndImg* v) {
    if (v != nullptr && v != backGroundImg) {
        backGroundImg->Assign(*v);
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
        style.GridDx = v;
        repaintIfAuto();
    }
}

void TCustomRChart::SetGridDy(double v) {
    if (v >= -3) {
        style.GridDy = v;
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
        layerAxes->MakeIsometric(n, geometry.AreaWidth() + 1);
    }
    paintSuspended = wasSuspended;
}

#define CENTROVA_MARGIN_SETTER(Name)                                                            \
    void TCustomRChart::Set##Name(int v) {                                                      \
        geometry.Name = v;                                                                      \
        marginChanged();                                                                        \
    }

CENTROVA_MARGIN_SETTER(MarginLeft)
CENTROVA_MARGIN_SETTER(MarginRight)
CENTROVA_MARGIN_SETTER(MarginTop)
CENTROVA_MARGIN_SETTER(MarginBottom)

#undef CENTROVA_MARGIN_SETTER

void TCustomRChart::marginChanged() {
    // The data area has a new shape: an isometric chart keeps its aspect on every layer.
    if (isometric) {
        applyIsometricToAll();
    }
    geometryChanged();
}

void TCustomRChart::geometryChanged() {
    layerAxes->SetScaleMargins();
    RecalcTransforms();
    repaintIfAuto();
}

void TCustomRChart::SetShadowWidth(int v) {
    geometry.ShadowWidth = std::clamp(v, 0, 32);
    geometryChanged();
}

void TCustomRChart::SetStandardLayout(TrcLayout v) {
    const std::optional<TLayerAxes::TLayoutFrame> frame = TLayerAxes::LayoutFrame(v);
    if (!frame) {
        return;
    }
    standardLayout = v;
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    geometry.MarginBottom = frame->MarginBottom;
    geometry.MarginTop = frame->MarginTop;
    geometry.MarginLeft = frame->MarginLeft;
    geometry.MarginRight = frame->MarginRight;
    style.CaptionPosX = frame->CaptionPosX;
    style.CaptionPosY = frame->CaptionPosY;
    style.CaptionAlignment = frame->CaptionAlignment;
    style.CaptionAnchorHoriz = frame->CaptionAnchorHoriz;
    style.CaptionAnchorVert = cavChartTop;
    layerAxes->ApplyLayout(v);
    layerAxes->SetScaleMargins();
    paintSuspended = wasSuspended;
}

void TCustomRChart::SetUseDataOf(TCustomRChart* other) {
    switch (share.UseDataOf(other != nullptr ? &other->share : nullptr)) {
    case TChartDataShare::TUseResult::Self:
        ShowMessage(this, QStringLiteral("RChart: Cannot share data with myself"));
        return;
    case TChartDataShare::TUseResult::HasSharers:
        ShowMessage(this,
                    QStringLiteral("RChart: Cannot use foreign data. Other RCharts are using my own data."));
        return;
    case TChartDataShare::TUseResult::Full:
        ShowMessage(this, QStringLiteral("RChart: Max. number of data shares exceeded"));
        return;
    case TChartDataShare::TUseResult::Unchanged:
        return;
    case TChartDataShare::TUseResult::Done:
        break;
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
    for (int n = 1; n <= MaxLayers && isometric; ++n) {
        layerAxes->MakeIsometric(n, geometry.Width - geometry.MarginLeft - geometry.MarginRight -
                                        2 * geometry.ShadowWidth + 1);
    }
    layerAxes->ResizeScales(size());
    layerAxes->SetScaleMargins();
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

// Painting ------------------------------------------------------------------------------------

TChartScene TCustomRChart::scene() const {
    return {.Geometry = geometry,
            .Transform = transform,
            .Style = style,
            .Items = share.List(),
            .Axes = *layerAxes,
            .Background = *backGroundImg,
            .CrossHairs = marks->CrossHairs(),
            .TextLabels = marks->TextLabels(),
            .LayerVisible = layerVisible,
            .ClassVisible = classVisible,
            .ActiveLayer = activeLayer,
            // The caption is written in the chart's font, in its palette's text colour.
            .CaptionFont = font(),
            .CaptionTextColor = FromQRgb(palette().color(QPalette::WindowText).rgb())};
}

QRect TCustomRChart::areaRect() const {
    return QRect(geometry.MarginLeft, geometry.MarginTop, std::max(geometry.AreaWidth() + 1, 1),
                 std::max(geometry.AreaHeight() + 1, 1));
}

TChartPictures::TRepaint TCustomRChart::repaintOf() const {
    return {.Key = {.Geometry = geometry,
                    .Style = style,
                    .Font = font(),
                    .CaptionColor = FromQRgb(palette().color(QPalette::WindowText).rgb()),
                    .Scales = layerAxes->DrawGeneration(),
                    .State = stateGeneration,
                    .ActiveLayer = activeLayer,
                    .LayerVisible = layerVisible,
                    .ClassVisible = classVisible,
                    .Ratio = devicePixelRatioF()},
            .Control = size(),
            .Area = areaRect(),
            .WindColor = style.WindColor,
            .ScalesListened = scalesListened(),
            .DataListened = dataListened(),
            .PartialSafe = partialRedrawSafe(),
            .Items = share.List(),
            .Transform = transform};
}

bool TCustomRChart::partialRedrawSafe() const {
    if (dataListened() || scalesListened() || !backGroundImg->Name().isEmpty()) {
        return false;
    }
    for (const TCrossHair* ch : marks->CrossHairs()) {
        if (ch->Mode() != chOff) {
            return false;
        }
    }
    for (const TTextLabel* l : marks->TextLabels()) {
        if (l->Mode() != tlOff && l->Visible()) {
            return false;
        }
    }
    return true;
}

void TCustomRChart::paintEvent(QPaintEvent* event) {
    if (pictures.Window().deviceIndependentSize().toSize() != size()) {
        FullRepaint();
    }
    QPainter p(this);
    pictures.Blit(p, event->rect());
}

void TCustomRChart::FullRepaint() {
    pictures.ForgetControl(); // everything from the chart's state
    fullRepaint();
}

void TCustomRChart::fullRepaint() {
    if (!isVisible() || loading() || paintSuspended) {
        return;
    }
    RecalcTransforms();
    pictures.Full(repaintOf());
}

void TCustomRChart::DataAreaRedraw() {
    pictures.ForgetArea(); // everything from the chart's state
    dataAreaRedraw();
}

void TCustomRChart::dataAreaRedraw() {
    if (!isVisible() || loading() || paintSuspended) {
        return;
    }
    pictures.DataArea(repaintOf());
}

void TCustomRChart::PaintDataArea(Canvas& c, int ox, int oy) {
    DrawChartBackground(c, ox, oy);
    DrawItems(c, ox, oy, false, false);
}

void TCustomRChart::PaintCrossHairs(QImage& picture, int ox, int oy) {
    TChartRenderer(scene()).DrawCrossHairs(picture, ox, oy);
}

void TCustomRChart::DrawOuterArea(Canvas& c) {
    TChartRenderer(scene()).DrawOuterArea(c);
    RecalcTransforms();
    layerAxes->PaintScales(c);
    Fire(OnScalesRendered, this, c, 0, 0);
}

void TCustomRChart::DrawChartBackground(Canvas& c, int ox, int oy) {
    if (!TChartRenderer(scene()).DrawChartBackground(c, ox, oy)) {
        // A picture that cannot be loaded is forgotten; that is no change to repaint for.
        backGroundImg->OnChange = nullptr;
        backGroundImg->SetName(QString());
        backGroundImg->OnChange = [this](QObject*) { repaintIfAuto(); };
    }
}

void TCustomRChart::DrawItems(Canvas& c, int ox, int oy, bool monochrome, bool noGrid) {
    const TColor brush = c.BrushColor();
    const TColor pen = c.PenColor();
    Fire(OnBeforeRenderData, this, c, geometry.MarginTop - oy, geometry.MarginLeft - ox);
    c.SetBrushColor(brush);
    c.SetPenColor(pen);
    TChartRenderer(scene()).DrawData(c, ox, oy, monochrome, noGrid);
    Fire(OnDataRendered, this, c, geometry.MarginTop - oy, geometry.MarginLeft - ox);
    TChartRenderer(scene()).DrawDataFrame(c, ox, oy);
}

void TCustomRChart::DrawCrossHairs(int ox, int oy, QImage& bitmap) {
    PaintCrossHairs(bitmap, ox, oy);
    pictures.ToWindow(bitmap, ox, oy, repaintOf());
    pictures.Shown(bitmap);
}

// The mouse -------------------------------------------------------------------------------------

void TCustomRChart::updateCursor(bool inside) {
    using TCursor = TChartMouseTracker::TCursor;
    const TCursor cursor = mouse.Cursor(inside, mouseCursorFixed);
    if (cursor == TCursor::Arrow || cursor == TCursor::Cross) {
        SetApplicationCursor(QCursor(cursor == TCursor::Arrow ? Qt::ArrowCursor : Qt::CrossCursor));
    } else if (cursor != TCursor::Keep) {
        SetApplicationCursor(ApplicationCursor(static_cast<int>(cursor)));
    }
}

void TCustomRChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    mouse.NoteMouse(p.x(), p.y());
    Fire(OnMouseMove, this, event->modifiers(), event->buttons(), p.x(), p.y());
    handleMouseAction(p.x(), p.y(), event->buttons().testFlag(Qt::LeftButton));
    double x = 0, y = 0;
    PixelToWorld(activeLayer, p.x(), p.y(), x, y);
    const bool inside = mouse.InDataArea(p.x(), p.y());
    if (inside) {
        mouseWorldX = x;
        mouseWorldY = y;
    }
    updateCursor(inside);
    Fire(OnMouseMoveInChart, this, inside, event->modifiers(), x, y);
}

void TCustomRChart::mousePressEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    const bool left = event->button() == Qt::LeftButton;
    mouse.Press(left);
    Fire(OnMouseDown, this, event->button(), event->modifiers(), p.x(), p.y());
    mouse.StartBand(p.x(), p.y(), left);
}

void TCustomRChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    Fire(OnMouseUp, this, event->button(), event->modifiers(), p.x(), p.y());
    if (mouse.Release(event->button() == Qt::LeftButton, rect().contains(p))) {
        Fire(OnClick, this);
    }
    if (mouse.BandActive()) {
        endBand(event->button());
    }
}

void TCustomRChart::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt reports the second press of a double click as this event instead of a press, so that
    // press is swallowed (no OnMouseDown) and the release that follows is handled as usual.
    (void)event;
    Fire(OnDblClick, this);
}

void TCustomRChart::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Fire(OnMouseEnter, this);
}

void TCustomRChart::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Fire(OnMouseLeave, this);
}

bool TCustomRChart::event(QEvent* e) {
    // Arrow keys and Tab go to the chart while it has the focus.
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(e));
            return true;
        }
    }
    return QWidget::event(e);
}

void TCustomRChart::handleMouseAction(int x, int y, bool leftHeld) {
    if (const auto move = mouse.MoveBand(x, y, isometric)) {
        if (move->Erase) {
            xorBand(*move->Erase); // the previous one goes
        }
        xorBand(move->Draw);
        return;
    }
    switch (mouse.Drag(x, y, leftHeld)) {
    case TChartMouseTracker::TDragStep::Start:
        startDrag(x, y);
        break;
    case TChartMouseTracker::TDragStep::MoveObject:
        dragObject(x, y);
        break;
    case TChartMouseTracker::TDragStep::PanOrZoom:
        panOrZoom(x, y);
        break;
    case TChartMouseTracker::TDragStep::None:
        break;
    }
}

void TCustomRChart::startDrag(int x, int y) {
    std::array<TChartMouseTracker::TRange, MaxLayers> ranges{};
    for (int n = 1; n <= MaxLayers; ++n) {
        const TAxisRange rx = layerAxes->XRange(n), ry = layerAxes->YRange(n);
        ranges[slot(n)] = {.XLo = rx.Low, .YLo = ry.Low, .XHi = rx.High, .YHi = ry.High};
    }
    mouse.StartDrag(x, y, ranges);
    if (mouse.Action() == maDragCrossH) {
        mouse.PickCrossHair(x, y, marks->CrossHairSpots(transform));
    } else if (mouse.Action() == maDragLabel) {
        mouse.PickLabel(x, y, marks->LabelSpots(transform));
    }
}

void TCustomRChart::panOrZoom(int x, int y) {
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        if (!mouse.MouseLayer(n)) {
            continue;
        }
        const TChartMouseTracker::TRange r = mouse.DraggedRange(
            n, x, y, XAxis(n)->Logarithmic(), YAxis(n)->Logarithmic(), isometric);
        applyWithJoins(n, r.XLo, r.YLo, r.XHi, r.YHi);
    }
    paintSuspended = wasSuspended;
    FullRepaint();
    Fire(OnZoomPan, this);
}

void TCustomRChart::dragObject(int x, int y) {
    if (mouse.Action() == maDragCrossH) {
        TCrossHair* ch = marks->MoveCrossHair(mouse.DraggedCrossHair(), x, y, transform);
        FullRepaint();
        Fire(OnCrossHairMove, this, ch);
        return;
    }
    if (mouse.DraggedLabel() == 0) {
        return;
    }
    TTextLabel* l = marks->MoveLabel(mouse.DraggedLabel(), x, y, transform);
    FullRepaint();
    Fire(OnTextLabelMove, this, l);
}

void TCustomRChart::xorBand(const TChartMouseTracker::TBand& band) {
    if (pictures.Window().isNull()) {
        return;
    }
    {
        Canvas c(pictures.Window());
        // The band may reach beyond the data area: the next repaint copies everything.
        pictures.WindowDrawnOn();
        c.SetPenMode(pmXor);
        c.SetPenColor(clWhite);
        c.SetBrushStyle(bsClear);
        const TChartMouseTracker::TBandRect r = TChartMouseTracker::Normalized(band);
        c.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    }
    update();
}

void TCustomRChart::endBand(Qt::MouseButton button) {
    const TChartMouseTracker::TBandEnd end = mouse.EndBand(button == Qt::RightButton);
    if (end.Erase) {
        xorBand(*end.Erase);
    }
    if (!end.Use) {
        return;
    }
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        if (!mouse.MouseLayer(n)) {
            continue;
        }
        const bool xUp = XAxis(n)->RangeHigh() >= XAxis(n)->RangeLow();
        const bool yUp = YAxis(n)->RangeHigh() >= YAxis(n)->RangeLow();
        const TChartMouseTracker::TRange r = mouse.BandRange(n, transform, xUp, yUp, isometric);
        if (mouse.Action() == maRubberBand) {
            Fire(OnRubberBand, this, n, r.XLo, r.YLo, r.XHi, r.YHi);
        } else {
            applyWithJoins(n, r.XLo, r.YLo, r.XHi, r.YHi); // zoom windows ignore the limits
        }
    }
    Fire(OnZoomPan, this);
    paintSuspended = wasSuspended;
    FullRepaint();
}
