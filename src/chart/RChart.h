#pragma once
// The chart control. TCustomRChart owns the parts and ties them to the widget: 16 layers
// whose axes and scales live in TLayerAxes, a display list of lines, rectangles and 3-D bars
// (shared between charts through TChartDataShare), range setting with joined axes, the
// cross-hairs and text labels of TChartMarks, the picture drawn by TChartRenderer into the
// pictures TChartPictures keeps, and the mouse actions decided by TChartMouseTracker. TRChart
// publishes its properties.

#include "chart/BakGndImg.h"
#include "chart/ChartDataShare.h"
#include "chart/ChartEvents.h"
#include "chart/ChartMarks.h"
#include "chart/ChartMouseTracker.h"
#include "chart/ChartPictures.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartTransform.h"
#include "chart/ChartTypes.h"
#include "chart/CrossHair.h"
#include "chart/DisplayList.h"
#include "chart/JointLayers.h"
#include "chart/JointLayersHost.h"
#include "chart/LayerAxes.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"
#include "chart/TextLabel.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"
#include "platform/Loadable.h"

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class Canvas;

class TCustomRChart : public QWidget,
                      public ILoadable,
                      public IJointLayersHost,
                      private TChartPictures::IPainter {
    Q_OBJECT

public:
    static constexpr int MaxSharers = TChartDataShare::MaxSharers;
    static constexpr int TextLabelCount = TChartMarks::TextLabelCount;

    explicit TCustomRChart(QWidget* owner = nullptr);
    ~TCustomRChart() override;

    // The layout is complete: scales take their axis settings, loading ends, full repaint.
    void Loaded() override;

    // The display list.
    void ClearDrawing();
    void AddLine(double x1, double y1, double x2, double y2);
    void AddRectangle(double x1, double y1, double x2, double y2);
    void AddBar3D(double x1, double y1, double x2, double y2, int depth, int angle);
    void ShowDrawing();
    // Copies item `index` into `item`, or sets only item.Kind to 0 when there is none.
    void GetItem(int index, TDrawItem& item) const;
    int FindNearestItem(double x, double y, std::uint8_t kindFilter, std::uint8_t classFilter,
                        double& distance) const;
    std::int32_t Count() const { return share.List().Count(); }
    std::int32_t ItemCapacity() const { return share.List().ItemCapacity(); }


    // The world-to-pixel map.
    virtual void RecalcTransforms();
    void WorldToPixel(int layer, double x, double y, int& px, int& py) const;
    void PixelToWorld(int layer, double px, double py, double& x, double& y) const;

    // Rendering steps, in the order a full repaint uses them.
    virtual void DrawChartBackground(Canvas& c, int ox, int oy);
    virtual void DrawItems(Canvas& c, int ox, int oy, bool monochrome, bool noGrid);
    void DrawOuterArea(Canvas& c);
    void DrawCrossHairs(int ox, int oy, QImage& bitmap);
    void FullRepaint();
    void DataAreaRedraw();

    // What the window shows: the last picture copied to it.
    const QImage& WindowImage() const { return pictures.Window(); }
    const QImage& ControlBitmap() const { return pictures.Control(); }

    TScalePropsHoriz* XAxis(int layer) const;
    TScalePropsVert* YAxis(int layer) const;
    TScale* XScale(int layer) const;
    TScale* YScale(int layer) const;
    TCrossHair* CrossHair(int n) const;
    TTextLabel* TextLabel(int n) const;

    bool PaintSuspended() const { return paintSuspended; }
    void SetPaintSuspended(bool value) { paintSuspended = value; }
    int ActiveLayer() const { return activeLayer; }
    double MouseWorldX() const { return mouseWorldX; }
    double MouseWorldY() const { return mouseWorldY; }
    bool LayerVisible(int layer) const;
    void SetLayerVisible(int layer, bool value);
    bool ClassVisible(int colorClass) const;
    void SetClassVisible(int colorClass, bool value);

    // Sets the world range of one layer (1..16) or of all (0), then repaints. Throws
    // EQRXRChartError for any other layer number. The joined-layer table calls it too.
    void SetRange(int layer, double xLo, double yLo, double xHi, double yHi) override;
    void JointAxisRange(int layer, bool xAxis, double& low, double& high) const override;
    void TakeJoinedRange(int layer, double xLo, double yLo, double xHi, double yHi) override;

    // Properties (published by TRChart).
    int AllocSize() const { return share.List().AllocSize(); }
    void SetAllocSize(int v) { share.List().SetAllocSize(v); }
    bool AutoRedraw() const { return autoRedraw; }
    void SetAutoRedraw(bool v) { autoRedraw = v; }
    int MarginLeft() const { return geometry.MarginLeft; }
    void SetMarginLeft(int v);
    int MarginRight() const { return geometry.MarginRight; }
    void SetMarginRight(int v);
    int MarginTop() const { return geometry.MarginTop; }
    void SetMarginTop(int v);
    int MarginBottom() const { return geometry.MarginBottom; }
    void SetMarginBottom(int v);
    TBakGndImg* BackGroundImg() const { return backGroundImg; }
    void SetBackGroundImg(TBakGndImg* v);
    int ClassDefault() const { return classDefault; }
    void SetClassDefault(int v);
    GridStyleType GridStyle() const { return style.GridStyle; }
    void SetGridStyle(GridStyleType v);
    double GridDx() const { return style.GridDx; }
    void SetGridDx(double v);
    double GridDy() const { return style.GridDy; }
    void SetGridDy(double v);
    bool Isometric() const { return isometric; }
    void SetIsometric(bool v);
    TColor DataColor() const { return dataColor; }
    void SetDataColor(TColor v) { dataColor = v; }
    TPenStyle PenStyle() const { return penStyle; }
    void SetPenStyle(TPenStyle v) { penStyle = v; }
    TColor ChartFrameColor() const { return style.ChartFrameColor; }
    void SetChartFrameColor(TColor v);
    TColor FillColor() const { return fillColor; }
    void SetFillColor(TColor v) { fillColor = v; }
    TColor ChartColor() const { return style.ChartColor; }
    void SetChartColor(TColor v);
    TColor WindColor() const { return style.WindColor; }
    void SetWindColor(TColor v);
    TColor GridColor() const { return style.GridColor; }
    void SetGridColor(TColor v);
    TJointLayers* JointLayers() const { return jointLayers; }
    void SetJointLayers(TJointLayers* v);
    int LineWidth() const { return style.LineWidth; }
    void SetLineWidth(int v) { style.LineWidth = std::clamp(v, 0, 255); }
    QString Caption() const { return style.Caption; }
    void SetCaption(const QString& v);
    int CaptionPosX() const { return style.CaptionPosX; }
    void SetCaptionPosX(int v);
    int CaptionPosY() const { return style.CaptionPosY; }
    void SetCaptionPosY(int v);
    TAlignment CaptionAlignment() const { return style.CaptionAlignment; }
    void SetCaptionAlignment(TAlignment v);
    TCaptionAnchorHoriz CaptionAnchorHoriz() const { return style.CaptionAnchorHoriz; }
    void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v);
    TCaptionAnchorVert CaptionAnchorVert() const { return style.CaptionAnchorVert; }
    void SetCaptionAnchorVert(TCaptionAnchorVert v);
    TMouseActMode MouseAction() const { return mouse.Action(); }
    void SetMouseAction(TMouseActMode v) { mouse.SetAction(v); }
    bool MouseCursorFixed() const { return mouseCursorFixed; }
    void SetMouseCursorFixed(bool v) { mouseCursorFixed = v; }
    TrcLayout StandardLayout() const { return standardLayout; }
    void SetStandardLayout(TrcLayout v);
    int ShadowWidth() const { return geometry.ShadowWidth; }
    void SetShadowWidth(int v);
    TShadowStyle ShadowStyle() const { return style.ShadowStyle; }
    void SetShadowStyle(TShadowStyle v);
    TColor ShadowColor() const { return style.ShadowColor; }
    void SetShadowColor(TColor v);
    TColor ShadowBakColor() const { return style.ShadowBakColor; }
    void SetShadowBakColor(TColor v);
    TCustomRChart* UseDataOf() const { return share.Owner(); }
    void SetUseDataOf(TCustomRChart* other);
    int TextFontStyle() const { return textFontStyle; }
    void SetTextFontStyle(int v);
    TTextBkg TextBkStyle() const { return textBkStyle; }
    void SetTextBkStyle(TTextBkg v);
    TColor TextBkColor() const { return textBkColor; }
    void SetTextBkColor(TColor v);
    TAlignment TextAlignment() const { return textAlignment; }
    void SetTextAlignment(TAlignment v);

    // Outer bounds for ranges set by panning and zoom-dragging; all 0 means no limits.
    void SetZoomLimits(double xLo, double yLo, double xHi, double yHi) {
        mouse.SetZoomLimits(xLo, yLo, xHi, yHi);
    }
    bool MouseLayer(int layer) const { return mouse.MouseLayer(layer); }
    void SetMouseLayer(int layer, bool value) { mouse.SetMouseLayer(layer, value); }

    using TMouseEvent = std::function<void(QObject* sender, Qt::KeyboardModifiers Shift,
                                           Qt::MouseButtons buttons, int X, int Y)>;
    using TButtonEvent = std::function<void(QObject* sender, Qt::MouseButton Button,
                                            Qt::KeyboardModifiers Shift, int X, int Y)>;
    // The control's own mouse events, as a window would report them.
    TMouseEvent OnMouseMove;
    TButtonEvent OnMouseDown;
    TButtonEvent OnMouseUp;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    TRenderEvent OnBeforeRenderData;
    TRenderEvent OnDataRendered;
    TRenderEvent OnScalesRendered;
    TScaleTickDrawnEvent OnScaleTickDrawn;
    TMouseMoveInChartEvent OnMouseMoveInChart;
    TZoomPanEvent OnZoomPan;
    TRubberBandEvent OnRubberBand;
    TCrossHairMoveEvent OnCrossHairMove;
    TTextLabelMoveEvent OnTextLabelMove;

    // The 16-colour table that gives layer n the colour of its axes.
    static TColor LayerColor(int layer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

    double mouseWorldX = 0.0;
    double mouseWorldY = 0.0;

private:
    // The steps of construction, in their order.
    void createCrossHairsAndLabels();
    void createBackgroundAndJoints();
    void setUpMouse();
    void createLayers();
    void applyDefaultLayout();

    void repaintIfAuto();
    TDrawItem newItem(std::uint8_t kind, double x1, double y1, double x2, double y2) const;
    void axisSettingsChanged();
    // After a margin or the shadow width changed: scales, transforms, repaint.
    void geometryChanged();
    void marginChanged();
    void applyIsometricToAll();
    // Applies a range to a layer unless its axes are joined, then to the layers joined to it.
    void applyWithJoins(int layer, double xLo, double yLo, double xHi, double yHi);
    void setRangeOne(int layer, double xLo, double yLo, double xHi, double yHi);
    // What the renderer draws from, as the chart holds it now.
    TChartScene scene() const;
    // The data area in the control, frame included.
    QRect areaRect() const;
    // A listener draws on the pictures it is handed, so the pictures are made as they always
    // were while one listens.
    bool scalesListened() const { return OnScalesRendered || OnScaleTickDrawn; }
    bool dataListened() const { return OnBeforeRenderData || OnDataRendered; }
    // Whether painting only where items changed gives the whole picture's pixels: nothing
    // listens to the painting, no cross-hair or text label is shown, no background picture.
    bool partialRedrawSafe() const;
    // What a repaint of the pictures is made from, as the chart is now.
    TChartPictures::TRepaint repaintOf() const;
    // The full repaint and the data-area redraw of ShowDrawing: only what changed.
    void fullRepaint();
    void dataAreaRedraw();
    // How the pictures draw each part.
    void PaintOuterArea(Canvas& c) override { DrawOuterArea(c); }
    void PaintDataArea(Canvas& c, int ox, int oy) override;
    void PaintCrossHairs(QImage& picture, int ox, int oy) override;
    void ShowPart(const QRect& r) override { update(r); }
    // Mouse handling: the tracker decides, the chart applies.
    void handleMouseAction(int x, int y, bool leftHeld);
    void startDrag(int x, int y);
    void panOrZoom(int x, int y);
    void dragObject(int x, int y);
    void xorBand(const TChartMouseTracker::TBand& band);
    void endBand(Qt::MouseButton button);
    void updateCursor(bool inside);
    bool loading() const { return layoutLoading; }

    TChartDataShare share{this};
    TChartGeometry geometry;
    TChartTransform transform;
    TChartStyle style;
    std::unique_ptr<TLayerAxes> layerAxes;
    TChartMouseTracker mouse{geometry};
    std::unique_ptr<TChartMarks> marks;
    TBakGndImg* backGroundImg = nullptr;
    TJointLayers* jointLayers = nullptr;

    bool autoRedraw = true;
    int classDefault = 0;
    bool isometric = false;
    TColor dataColor = clBlack;
    TPenStyle penStyle = psSolid;
    TColor fillColor = clSilver;
    bool mouseCursorFixed = true;
    TrcLayout standardLayout = rcl_X1Bottom_Y1Left;
    int textFontStyle = 0;
    TTextBkg textBkStyle = tbClear;
    TColor textBkColor = clWhite;
    TAlignment textAlignment = taCenter;

    int activeLayer = 1;
    std::array<bool, MaxLayers> layerVisible{};
    std::array<bool, 256> classVisible{};
    bool paintSuspended = true;
    bool layoutLoading = true;
    int joiningLayer = 0; // the layer being given its controller's range by a join

    std::uint64_t stateGeneration = 0; // counts changes of properties that repaint
    TChartPictures pictures{*this};
};

class TRChart : public TCustomRChart {
    Q_OBJECT
    Q_PROPERTY(int AllocSize READ AllocSize WRITE SetAllocSize)
    Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE SetAutoRedraw)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int LRim READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int RRim READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int TRim READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int BRim READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(TBakGndImg* BackGroundImg READ BackGroundImg WRITE SetBackGroundImg)
    Q_PROPERTY(int ClassDefault READ ClassDefault WRITE SetClassDefault)
    Q_PROPERTY(GridStyleType GridStyle READ GridStyle WRITE SetGridStyle)
    Q_PROPERTY(double GridDx READ GridDx WRITE SetGridDx)
    Q_PROPERTY(double GridDy READ GridDy WRITE SetGridDy)
    Q_PROPERTY(bool Isometric READ Isometric WRITE SetIsometric)
    Q_PROPERTY(TColor DataColor READ DataColor WRITE SetDataColor)
    Q_PROPERTY(TPenStyle PenStyle READ PenStyle WRITE SetPenStyle)
    Q_PROPERTY(TColor ChartFrameColor READ ChartFrameColor WRITE SetChartFrameColor)
    Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(TColor ChartColor READ ChartColor WRITE SetChartColor)
    Q_PROPERTY(TColor WindColor READ WindColor WRITE SetWindColor)
    Q_PROPERTY(TColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(TJointLayers* JointLayers READ JointLayers WRITE SetJointLayers)
    Q_PROPERTY(int LineWidth READ LineWidth WRITE SetLineWidth)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
    Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
    Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TCaptionAnchorHoriz CaptionAnchorHoriz READ CaptionAnchorHoriz WRITE
                   SetCaptionAnchorHoriz)
    Q_PROPERTY(TCaptionAnchorVert CaptionAnchorVert READ CaptionAnchorVert WRITE
                   SetCaptionAnchorVert)
    Q_PROPERTY(TCrossHair* CrossHair1 READ CrossHair1)
    Q_PROPERTY(TCrossHair* CrossHair2 READ CrossHair2)
    Q_PROPERTY(TCrossHair* CrossHair3 READ CrossHair3)
    Q_PROPERTY(TCrossHair* CrossHair4 READ CrossHair4)
    Q_PROPERTY(TMouseActMode MouseAction READ MouseAction WRITE SetMouseAction)
    Q_PROPERTY(bool MouseCursorFixed READ MouseCursorFixed WRITE SetMouseCursorFixed)
    Q_PROPERTY(TScaleProps* Scale1X READ Scale1X)
    Q_PROPERTY(TScaleProps* Scale1Y READ Scale1Y)
    Q_PROPERTY(TScaleProps* Scale2X READ Scale2X)
    Q_PROPERTY(TScaleProps* Scale2Y READ Scale2Y)
    Q_PROPERTY(TScaleProps* Scale3X READ Scale3X)
    Q_PROPERTY(TScaleProps* Scale3Y READ Scale3Y)
    Q_PROPERTY(TScaleProps* Scale4X READ Scale4X)
    Q_PROPERTY(TScaleProps* Scale4Y READ Scale4Y)
    Q_PROPERTY(TrcLayout StandardLayout READ StandardLayout WRITE SetStandardLayout STORED false)
    Q_PROPERTY(int ShadowWidth READ ShadowWidth WRITE SetShadowWidth)
    Q_PROPERTY(TShadowStyle ShadowStyle READ ShadowStyle WRITE SetShadowStyle)
    Q_PROPERTY(TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(TColor ShadowBakColor READ ShadowBakColor WRITE SetShadowBakColor)
    Q_PROPERTY(int TextFontStyle READ TextFontStyle WRITE SetTextFontStyle)
    Q_PROPERTY(TTextBkg TextBkStyle READ TextBkStyle WRITE SetTextBkStyle)
    Q_PROPERTY(TColor TextBkColor READ TextBkColor WRITE SetTextBkColor)
    Q_PROPERTY(TAlignment TextAlignment READ TextAlignment WRITE SetTextAlignment)

public:
    using TCustomRChart::TCustomRChart;

    TCrossHair* CrossHair1() const { return CrossHair(1); }
    TCrossHair* CrossHair2() const { return CrossHair(2); }
    TCrossHair* CrossHair3() const { return CrossHair(3); }
    TCrossHair* CrossHair4() const { return CrossHair(4); }
    TScaleProps* Scale1X() const { return XAxis(1); }
    TScaleProps* Scale1Y() const { return YAxis(1); }
    TScaleProps* Scale2X() const { return XAxis(2); }
    TScaleProps* Scale2Y() const { return YAxis(2); }
    TScaleProps* Scale3X() const { return XAxis(3); }
    TScaleProps* Scale3Y() const { return YAxis(3); }
    TScaleProps* Scale4X() const { return XAxis(4); }
    TScaleProps* Scale4Y() const { return YAxis(4); }
};
