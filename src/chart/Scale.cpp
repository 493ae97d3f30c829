#include "chart/Scale.h"

#include "chart/TimeScaleTicks.h"
#include "platform/Canvas.h"
#include "platform/DrawFrame.h"

#include <QLocale>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

TScale::TScale(QWidget* owner) : QWidget(owner), dateFormat(new TDTLabel(this)) {
    dateFormat->SetOwnerDefaults();
    dateFormat->OnChange = [this](QObject*) { requestRepaint(); };
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(400, 400);
}

TScale::~TScale() {
    // The date format's callback points back here; it must not fire during destruction.
    dateFormat->OnChange = nullptr;
}

void TScale::Loaded() {
    readingLayout = false;
    CalcScaleFactors();
    Loading = false;
    requestRepaint();
}

void TScale::SetCaption(const QString& value) {
    settings.SetCaption(value);
    requestRepaint();
}

void TScale::SetCaptionPosX(int value) {
    settings.SetCaptionPosX(value);
    requestRepaint();
}

void TScale::SetCaptionPosY(int value) {
    settings.SetCaptionPosY(value);
    requestRepaint();
}

void TScale::SetCaptionAlignment(TAlignment value) {
    settings.SetCaptionAlignment(value);
    requestRepaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value) {
    settings.SetCaptionAnchor(value);
    requestRepaint();
}

void TScale::SetColorBackGnd(TColor value) {
    if (value != colorBackGnd) {
        colorBackGnd = value;
        requestRepaint();
    }
}

void TScale::SetColorScale(TColor value) {
    if (value != settings.ColorScale()) {
        settings.SetColorScale(value);
        requestRepaint();
    }
}

void TScale::SetColorScheme(TColorScheme value) {
    if (value == colorScheme) {
        return;
    }
    colorScheme = value;
    shadowColor = FrameColorsOf(value).Shadow;
    highlightColor = FrameColorsOf(value).Highlight;
    requestRepaint();
}

void TScale::SetDateFormat(TDTLabel* value) {
    if (value != nullptr && value != dateFormat) {
        dateFormat->Assign(*value);
    }
}

void TScale::SetDecPlaces(int value) {
    settings.SetDecPlaces(value);
    recalcAndRepaint();
}

void TScale::SetFont(const QFont& value) {
    setFont(value);
    requestRepaint();
}

void TScale::SetFrameStyle(TFrameStyle value) {
    if (value != frameStyle) {
        frameStyle = value;
        requestRepaint();
    }
}

void TScale::SetLabelType(TFigType value) {
    settings.SetLabelType(value);
    requestRepaint();
}

void TScale::SetLogarithmic(bool value) {
    settings.SetLogarithmic(value, Loading);
    recalcAndRepaint();
}

void TScale::SetMarginTop(int value) {
    marginTop = std::max(value, 0);
    recalcAndRepaint();
}

void TScale::SetMarginBottom(int value) {
    marginBottom = std::max(value, 0);
    recalcAndRepaint();
}

void TScale::SetMarginLeft(int value) {
    marginLeft = std::max(value, 0);
    recalcAndRepaint();
}

void TScale::SetMarginRight(int value) {
    marginRight = std::max(value, 0);
    recalcAndRepaint();
}

void TScale::SetMinTicks(int value) {
    settings.SetMinTicks(TScaleSettings::LimitedMinTicks(value));
    requestRepaint();
}

void TScale::SetRangeLow(double value) {
    settings.SetRangeLow(value);
    recalcAndRepaint();
}

void TScale::SetRangeHigh(double value) {
    settings.SetRangeHigh(value);
    recalcAndRepaint();
}

void TScale::SetShortTicks(bool value) {
    if (value != settings.ShortTicks()) {
        settings.SetShortTicks(value);
        requestRepaint();
    }
}

void TScale::SetShowBaseLine(bool value) {
    showBaseLine = value;
    requestRepaint();
}

void TScale::SetScaleInscript(const QString& value) {
    settings.SetScaleInscript(value);
    requestRepaint();
}

void TScale::SetScaleType(TScaleType value) {
    if (value != scaleType) {
        scaleType = value;
        recalcAndRepaint();
    }
}

void TScale::SetTransparent(bool value) {
    transparent = value;
    requestRepaint();
}

void TScale::SetUserTickText(const QString& value) {
    settings.SetUserTickText(value);
    requestRepaint();
}

void TScale::SetVisible(bool value) {
    settings.SetVisible(value);
    if (!embedded && parentWidget() != nullptr) {
        QWidget::setVisible(value);
    }
    requestRepaint();
}

void TScale::SetSettings(const TScaleSettings& value) {
    settings.SetRangeLow(value.RangeLow());
    CalcScaleFactors();
    settings.SetRangeHigh(value.RangeHigh());
    CalcScaleFactors();
    if (value.RangeLow() == value.RangeHigh()) {
        settings.SetRangeLow(value.RangeLow()); // the high end moves above it
        CalcScaleFactors();
    }
    // The logarithm is checked against the new range and the old label type, then the new
    // label type applies its rule, then the decimals given win over the clock's four.
    settings.SetLogarithmic(value.Logarithmic(), Loading);
    TScaleSettings next = value;
    next.StoreRange(settings.RangeLow(), settings.RangeHigh());
    next.SetLogarithmic(settings.Logarithmic(), true);
    next.SetLabelType(value.LabelType());
    next.SetDecPlaces(value.DecPlaces());
    next.SetMinTicks(TScaleSettings::LimitedMinTicks(value.MinTicks()));
    settings = next;
    if (!embedded && parentWidget() != nullptr) {
        QWidget::setVisible(settings.Visible());
    }
    recalcAndRepaint();
}

void TScale::CalcScaleFactors() {
    if (readingLayout ||
        !TScaleMap::CanMap(settings.RangeLow(), settings.RangeHigh(), settings.Logarithmic())) {
        return; // equal ends, or a range a logarithm cannot take: the old transform stays
    }
    map.SetRange(settings.RangeLow(), settings.RangeHigh(), settings.Logarithmic());
    // The map runs from the start pixel (left or top) over the span between the margins.
    constexpr auto fromStart = TScaleMap::TOffsetForm::FromFirstEnd;
    if (horizontal()) {
        const int end = width() - marginRight - 1;
        if (end - marginLeft <= 0) {
            map.Centre(width() / 2.0);
            return;
        }
        map.Fit(settings.RangeLow(), marginLeft, settings.RangeHigh(), end, fromStart);
    } else {
        const int end = height() - marginBottom - 1;
        if (end - marginTop <= 0) {
            map.Centre(height() / 2.0);
            return;
        }
        map.Fit(settings.RangeHigh(), marginTop, settings.RangeLow(), end, fromStart);
    }
}

TScaleMap TScale::currentMap() const {
    // The factors are those last computed; the flag and the range are read now, as the scale
    // has always placed values (a label type change clears the flag without new factors).
    TScaleMap m = map;
    m.SetRange(settings.RangeLow(), settings.RangeHigh(), settings.Logarithmic());
    m.SetOutsidePixels(settings.RangeHigh() >= settings.RangeLow() ? 0 : width(), 0);
    return m;
}

int TScale::ValueToPixel(double value) const { return currentMap().Pixel(value); }

double TScale::TickValue(int index) const {
    return index >= 1 && index <= numTicks ? tickList[static_cast<std::size_t>(index - 1)] : 0.0;
}

void TScale::SetPaintTarget(Canvas* target, int left, int top) {
    paintTarget = target;
    targetLeft = left;
    targetTop = top;
}

void TScale::SetPaintSuspended(bool value) {
    paintSuspended = value;
    if (!value) {
        requestRepaint();
    }
}

void TScale::SetEmbedded(bool value) {
    embedded = value;
    if (value) {
        readingLayout = false;
    }
}

void TScale::ForcePaint() {
    if (settings.Visible()) {
        paintScale();
    }
}

void TScale::recalcAndRepaint() {
    CalcScaleFactors();
    requestRepaint();
}

void TScale::requestRepaint() {
    ++drawGeneration; // also while painting waits: the change is there all the same
    if (readingLayout || paintSuspended || !settings.Visible()) {
        return;
    }
    if (transparent && !embedded && paintTarget == nullptr) {
        update(); // painted with whatever lies behind it
        return;
    }
    paintScale();
}

void TScale::paintScale(bool fromPaintEvent) {
    QImage* own = nullptr;
    std::unique_ptr<Canvas> ownCanvas;
    Canvas* target = paintTarget;
    int left = targetLeft;
    int top = targetTop;
    if (target == nullptr) {
        windowImage = picture(transparent ? QImage::Format_ARGB32_Premultiplied
                                          : QImage::Format_RGB32,
                              devicePixelRatioF());
        windowImage.fill(Qt::transparent);
        own = &windowImage;
        ownCanvas = std::make_unique<Canvas>(*own);
        target = ownCanvas.get();
        left = 0;
        top = 0;
    }
    target->SetFont(font());
    Fire(OnBeforeScaleRendered, this, *target);

    if (transparent) {
        target->SetBrushStyle(bsClear);
        target->SetPenColor(settings.ColorScale());
        target->SetTextColor(settings.ColorScale());
        drawScale(*target, horizontal() ? top : left);
        Fire(OnAfterScaleRendered, this, *target);
    } else {
        QImage opaque = picture(QImage::Format_RGB32, target->Ratio());
        opaque.fill(ToQColor(colorBackGnd));
        {
            Canvas pc(opaque);
            pc.SetFont(font());
            pc.SetBrushStyle(bsSolid);
            pc.SetBrushColor(colorBackGnd);
            pc.SetPenColor(settings.ColorScale());
            pc.SetTextColor(settings.ColorScale());
            drawScale(pc, 0);
            Fire(OnAfterScaleRendered, this, pc);
            DrawFrame(pc, frameStyle, 0, 0, width() - 1, height() - 1, highlightColor, clSilver,
                      shadowColor, darkColor, clBlack);
        }
        target->Draw(left, top, opaque);
    }
    if (own != nullptr) {
        ownCanvas.reset();
        // Within a paint event the new picture is blitted right away; asking for another
        // paint from there would repaint for ever.
        if (!fromPaintEvent) {
            update();
        }
    }
}

TScalePainter::TFrame TScale::frame() const {
    TScalePainter::TFrame f;
    f.Type = scaleType;
    f.Width = width();
    f.Height = height();
    f.MarginLeft = marginLeft;
    f.MarginRight = marginRight;
    f.MarginTop = marginTop;
    f.MarginBottom = marginBottom;
    return f;
}

TDateTimePlan TScale::planTicks() const {
    const TScaleTickSettings tick = settings.TickSettings();
    if (settings.LabelType() == ftDateTime) {
        TDateLabelSettings f;
        f.TimeFormat = dateFormat->TimeFormat();
        f.DateSeparator = dateFormat->DateSeparator();
        f.TimeSeparator = dateFormat->TimeSeparator();
        f.YearLength = dateFormat->YearLength();
        f.MonthName = dateFormat->MonthName();
        f.DateOrder = dateFormat->DateOrder();
        f.DateForTime = dateFormat->DateForTime();
        f.ShortMonthName = [](int month) {
            return QLocale().monthName(month, QLocale::ShortFormat).toStdString();
        };
        return PlanDateTimeTicks(tick, f, horizontal());
    }
    if (settings.LabelType() == ftTime) {
        if (auto ticks = PlanClockTicks(tick)) {
            return {std::move(*ticks), {}};
        }
        // below a millisecond or a day and more: numbers
    }
    return {PlanScaleTicks(tick), {}};
}

void TScale::drawScale(Canvas& c, int offsetAcross) {
    const TScalePainter::TFrame f = frame();
    const TScaleMap m = currentMap();
    TScalePainter painter(settings, f, m, c, f.BaseLine(offsetAcross));
    painter.OnTickDrawn = [this](Canvas& target, double value, int x, int y) {
        Fire(OnScaleTickDrawn, this, target, scaleType, value, x, y);
    };
    const TDateTimePlan plan = planTicks();
    if (plan.Message.empty()) {
        painter.DrawTicks(plan.Ticks, tickList, numTicks);
    } else {
        numTicks = 0;
        painter.DrawMessage(plan.Message);
    }
    painter.DrawCaption();
    if (showBaseLine) {
        painter.DrawBaseLine();
    }
}

void TScale::Assign(const TScale& s) {
    {
        // The other scale's settings already obey the scale's rules and are taken as they
        // are; a copy neither shows nor hides the scale.
        const bool shown = settings.Visible();
        settings = s.settings;
        settings.SetVisible(shown);
    }
    frameStyle = s.frameStyle;
    colorBackGnd = s.colorBackGnd;
    darkColor = s.darkColor;
    shadowColor = s.shadowColor;
    highlightColor = s.highlightColor;
    colorScheme = s.colorScheme;
    OnScaleTickDrawn = s.OnScaleTickDrawn;
    map = s.map;
    numTicks = s.numTicks;
    showBaseLine = s.showBaseLine;
    transparent = s.transparent;
    {
        // One repaint at the end, not one per copied date setting.
        const TNotifyEvent keep = std::move(dateFormat->OnChange);
        dateFormat->OnChange = nullptr;
        dateFormat->Assign(*s.dateFormat);
        dateFormat->OnChange = keep;
    }
    marginTop = s.marginTop;
    marginBottom = s.marginBottom;
    marginLeft = s.marginLeft;
    marginRight = s.marginRight;
    tickList = s.tickList;
    paintTarget = s.paintTarget;
    targetLeft = s.targetLeft;
    targetTop = s.targetTop;
    scaleType = s.scaleType;
    paintSuspended = s.paintSuspended;
    requestRepaint();
}

QImage TScale::picture(QImage::Format format, qreal ratio) const {
    // The scale's size at the resolution of the screen, or of the picture it is drawn into.
    QImage img(static_cast<int>(std::ceil(std::max(width(), 1) * ratio)),
               static_cast<int>(std::ceil(std::max(height(), 1) * ratio)), format);
    img.setDevicePixelRatio(ratio);
    return img;
}

void TScale::paintEvent(QPaintEvent* event) {
    if (transparent && !embedded && paintTarget == nullptr && !readingLayout && !paintSuspended &&
        settings.Visible()) {
        paintScale(true);
    }
    QPainter p(this);
    const qreal ratio = windowImage.devicePixelRatio();
    const QRect r = event->rect();
    p.drawImage(QRectF(r), windowImage,
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void TScale::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    recalcAndRepaint();
}

void TScale::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (paintSuspended && !embedded) {
        SetPaintSuspended(false);
    }
}
