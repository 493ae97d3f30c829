#include "chart/Scale.h"

#include "chart/DrawFrame.h"
#include "chart/TimeScaleTicks.h"
#include "numerics/Conversions.h"
#include "platform/Canvas.h"

#include <QLocale>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr int LongTickHoriz = 7;
constexpr int LongTickVert = 6;
constexpr int ShortTick = 4;
} // namespace

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
    caption = value;
    requestRepaint();
}

void TScale::SetCaptionPosX(int value) {
    captionPosX = value;
    requestRepaint();
}

void TScale::SetCaptionPosY(int value) {
    captionPosY = value;
    requestRepaint();
}

void TScale::SetCaptionAlignment(TAlignment value) {
    captionAlignment = value;
    requestRepaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value) {
    captionAnchor = value;
    requestRepaint();
}

void TScale::SetColorBackGnd(TColor value) {
    if (value != colorBackGnd) {
        colorBackGnd = value;
        requestRepaint();
    }
}

void TScale::SetColorScale(TColor value) {
    if (value != colorScale) {
        colorScale = value;
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
    decPlaces = std::clamp(value, -3, 12);
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
    labelType = value;
    if (value == ftDateTime) {
        logarithmic = false;
    } else if (value == ftTime) {
        decPlaces = 4;
    }
    requestRepaint();
}

void TScale::SetLogarithmic(bool value) {
    if (!value || Loading ||
        (rangeLow >= MinLogValue && rangeHigh >= MinLogValue && labelType != ftDateTime)) {
        logarithmic = value;
    }
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
    minTicks = value == 0 ? 0 : std::clamp(value, 2, 10);
    requestRepaint();
}

void TScale::SetRangeLow(double value) {
    rangeLow = value;
    if (value == rangeHigh) {
        rangeHigh = value + 1;
    }
    recalcAndRepaint();
}

void TScale::SetRangeHigh(double value) {
    rangeHigh = value;
    if (value == rangeLow) {
        rangeLow = value + 1;
    }
    recalcAndRepaint();
}

void TScale::SetShortTicks(bool value) {
    if (value != shortTicks) {
        shortTicks = value;
        requestRepaint();
    }
}

void TScale::SetShowBaseLine(bool value) {
    showBaseLine = value;
    requestRepaint();
}

void TScale::SetScaleInscript(const QString& value) {
    scaleInscript = value;
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
    userTickText = value;
    requestRepaint();
}

void TScale::SetVisible(bool value) {
    visible = value;
    if (!embedded && parentWidget() != nullptr) {
        QWidget::setVisible(value);
    }
    requestRepaint();
}

void TScale::CalcScaleFactors() {
    if (readingLayout || !TScaleMap::CanMap(rangeLow, rangeHigh, logarithmic)) {
        return; // equal ends, or a range a logarithm cannot take: the old transform stays
    }
    map.SetRange(rangeLow, rangeHigh, logarithmic);
    // The map runs from the start pixel (left or top) over the span between the margins.
    constexpr auto fromStart = TScaleMap::TOffsetForm::FromFirstEnd;
    if (horizontal()) {
        const int end = width() - marginRight - 1;
        if (end - marginLeft <= 0) {
            map.Centre(width() / 2.0);
            return;
        }
        map.Fit(rangeLow, marginLeft, rangeHigh, end, fromStart);
    } else {
        const int end = height() - marginBottom - 1;
        if (end - marginTop <= 0) {
            map.Centre(height() / 2.0);
            return;
        }
        map.Fit(rangeHigh, marginTop, rangeLow, end, fromStart);
    }
}

TScaleMap TScale::currentMap() const {
    // The factors are those last computed; the flag and the range are read now, as the scale
    // has always placed values (a label type change clears the flag without new factors).
    TScaleMap m = map;
    m.SetRange(rangeLow, rangeHigh, logarithmic);
    m.SetOutsidePixels(rangeHigh >= rangeLow ? 0 : width(), 0);
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
    if (visible) {
        paintScale();
    }
}

void TScale::recalcAndRepaint() {
    CalcScaleFactors();
    requestRepaint();
}

void TScale::requestRepaint() {
    if (readingLayout || paintSuspended || !visible) {
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
        windowImage = QImage(std::max(width(), 1), std::max(height(), 1),
                             transparent ? QImage::Format_ARGB32_Premultiplied
                                         : QImage::Format_RGB32);
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
        target->SetPenColor(colorScale);
        target->SetTextColor(colorScale);
        drawScale(*target, horizontal() ? top : left);
        Fire(OnAfterScaleRendered, this, *target);
    } else {
        QImage picture(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
        picture.fill(ToQColor(colorBackGnd));
        {
            Canvas pc(picture);
            pc.SetFont(font());
            pc.SetBrushStyle(bsSolid);
            pc.SetBrushColor(colorBackGnd);
            pc.SetPenColor(colorScale);
            pc.SetTextColor(colorScale);
            drawScale(pc, 0);
            Fire(OnAfterScaleRendered, this, pc);
            DrawFrame(pc, frameStyle, 0, 0, width() - 1, height() - 1, highlightColor, clSilver,
                      shadowColor, darkColor, clBlack);
        }
        target->Draw(left, top, picture);
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

int TScale::baseLine(int offsetAcross) const {
    switch (scaleType) {
    case sctXB:
        return offsetAcross + height() - marginBottom - 1;
    case sctXT:
        return offsetAcross + marginTop;
    case sctYL:
        return offsetAcross + marginLeft;
    case sctYR:
        break;
    }
    return offsetAcross + width() - marginRight - 1;
}

void TScale::drawScale(Canvas& c, int offsetAcross) {
    const int b = baseLine(offsetAcross);
    if (labelType == ftTime || labelType == ftDateTime) {
        drawTimeTicks(c, b);
    } else {
        drawTicks(c, b);
    }
    drawCaption(c, b);
    if (showBaseLine) {
        c.SetPenColor(colorScale);
        if (horizontal()) {
            c.MoveTo(marginLeft, b);
            c.LineTo(width() - marginRight - 1, b);
        } else {
            c.MoveTo(b, marginTop);
            c.LineTo(b, height() - marginBottom - 1);
        }
    }
}

TScaleTickSettings TScale::tickSettings() const {
    TScaleTickSettings s;
    s.RangeLow = rangeLow;
    s.RangeHigh = rangeHigh;
    s.MinTicks = minTicks;
    s.DecPlaces = decPlaces;
    s.ShortTicks = shortTicks;
    s.Logarithmic = logarithmic;
    s.LabelType = labelType;
    s.UserTickText = userTickText.toStdString();
    s.ScaleInscript = scaleInscript.toStdString();
    return s;
}

void TScale::drawTicks(Canvas& c, int b) {
    if (horizontal() && minTicks != 0) {
        minTicks = std::clamp(minTicks, 2, 20);
    }
    drawPlannedTicks(c, b, PlanScaleTicks(tickSettings()));
}

void TScale::drawTimeTicks(Canvas& c, int b) {
    const TScaleTickSettings settings = tickSettings();
    if (labelType == ftTime) {
        if (const auto ticks = PlanClockTicks(settings)) {
            drawPlannedTicks(c, b, *ticks);
        } else {
            drawTicks(c, b); // below a millisecond or a day and more: numbers
        }
        return;
    }
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
    const TDateTimePlan plan = PlanDateTimeTicks(settings, f, horizontal());
    if (plan.Message.empty()) {
        drawPlannedTicks(c, b, plan.Ticks);
    } else {
        numTicks = 0;
        drawMessage(c, b, plan.Message);
    }
}

void TScale::drawMessage(Canvas& c, int b, const std::vector<std::string>& lines) {
    const int p = ValueToPixel((rangeLow + rangeHigh) / 2);
    if (horizontal()) {
        const QString text = QString::fromStdString(lines.front());
        c.TextOut(p - c.TextWidth(text) / 2, b + 7, text);
        return;
    }
    const int h = c.TextHeight(QStringLiteral("T"));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString text = QString::fromStdString(lines[i]);
        const int top = p + (static_cast<int>(i) - 1) * h;
        c.TextOut(scaleType == sctYL ? b + 2 : b - 2 - c.TextWidth(text), top, text);
    }
}

void TScale::drawPlannedTicks(Canvas& c, int b, const std::vector<TScaleTick>& ticks) {
    numTicks = 0;
    c.SetPenColor(colorScale);
    // Ticks point away from the base line, toward the labels.
    const int direction = scaleType == sctXB || scaleType == sctYR ? -1 : 1;
    for (const TScaleTick& t : ticks) {
        const int p = ValueToPixel(t.Value);
        if (t.Drawn) {
            const int length = t.Long ? (horizontal() ? LongTickHoriz : LongTickVert) : ShortTick;
            if (horizontal()) {
                c.MoveTo(p, b);
                c.LineTo(p, b + direction * length);
            } else {
                c.MoveTo(b, p);
                c.LineTo(b + direction * length, p);
            }
        }
        if (t.Listed && numTicks < TickListCapacity) {
            tickList[static_cast<std::size_t>(numTicks++)] = t.Value;
        }
        if (t.Labelled && !t.Label.empty()) {
            drawLabel(c, b, p, QString::fromStdString(t.Label), !t.DateLine.empty());
        }
        if (!t.DateLine.empty()) {
            drawDateLine(c, b, p, QString::fromStdString(t.DateLine));
        }
        Fire(OnScaleTickDrawn, this, c, scaleType, t.Value, horizontal() ? p : b,
             horizontal() ? b : p);
    }
}

int TScale::horizontalLabelLeft(int pixel, int w) const {
    int x = std::max(pixel - w / 2, 2);
    if (pixel + w / 2 >= width() - 2) {
        x = width() - 2 - w;
    }
    return x;
}

void TScale::drawDateLine(Canvas& c, int b, int pixel, const QString& text) {
    // One text height further from the base line than the time label; on upright scales
    // just above the time label, whose bottom is at the tick.
    const int w = c.TextWidth(text);
    const int h = c.TextHeight(text);
    switch (scaleType) {
    case sctXB:
        c.TextOut(horizontalLabelLeft(pixel, w), b - 2 * h - 7, text);
        break;
    case sctXT:
        c.TextOut(horizontalLabelLeft(pixel, w), b + 7 + h, text);
        break;
    case sctYL:
        c.TextOut(b + 8, pixel - 2 * h, text);
        break;
    case sctYR:
        c.TextOut(b - 8 - w, pixel - 2 * h, text);
        break;
    }
}

void TScale::drawLabel(Canvas& c, int b, int pixel, const QString& text, bool dated) {
    const int w = c.TextWidth(text);
    const int h = c.TextHeight(text);
    int x = 0;
    int y = 0;
    switch (scaleType) {
    case sctXB:
    case sctXT:
        x = horizontalLabelLeft(pixel, w);
        y = scaleType == sctXT ? b + 7 : b - h - 7;
        break;
    case sctYL:
    case sctYR:
        x = scaleType == sctYL ? b + 8 : b - 8 - w;
        y = dated ? pixel - h : pixel - c.TextHeight(QStringLiteral("0")) / 2;
        break;
    }
    c.TextOut(x, y, text);
}

void TScale::drawCaption(Canvas& c, int b) {
    if (caption.isEmpty()) {
        return;
    }
    const int w = c.TextWidth(caption);
    int x = 0;
    int y = 0;
    if (horizontal()) {
        switch (captionAnchor) {
        case uaSclTopLft:
            x = marginLeft;
            break;
        case uaSclCenter:
            x = marginLeft + (width() - marginLeft - marginRight) / 2;
            break;
        case uaSclBotRgt:
            x = width() - marginRight;
            break;
        }
        x += captionPosX;
        y = b + captionPosY;
    } else {
        switch (captionAnchor) {
        case uaSclTopLft:
            y = marginTop;
            break;
        case uaSclCenter:
            y = marginTop + (height() - marginTop - marginBottom) / 2;
            break;
        case uaSclBotRgt:
            y = height() - marginBottom;
            break;
        }
        y += captionPosY;
        x = b + captionPosX;
    }
    if (captionAlignment == taRightJustify) {
        x -= w;
    } else if (captionAlignment == taCenter) {
        x -= w / 2;
    }
    c.TextOut(x, y, caption);
}

void TScale::Assign(const TScale& s) {
    frameStyle = s.frameStyle;
    colorBackGnd = s.colorBackGnd;
    colorScale = s.colorScale;
    darkColor = s.darkColor;
    shadowColor = s.shadowColor;
    highlightColor = s.highlightColor;
    colorScheme = s.colorScheme;
    OnScaleTickDrawn = s.OnScaleTickDrawn;
    logarithmic = s.logarithmic;
    map = s.map;
    rangeLow = s.rangeLow;
    rangeHigh = s.rangeHigh;
    shortTicks = s.shortTicks;
    numTicks = s.numTicks;
    minTicks = s.minTicks;
    decPlaces = s.decPlaces;
    showBaseLine = s.showBaseLine;
    transparent = s.transparent;
    labelType = s.labelType;
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
    captionPosX = s.captionPosX;
    captionPosY = s.captionPosY;
    userTickText = s.userTickText;
    scaleInscript = s.scaleInscript;
    tickList = s.tickList;
    caption = s.caption;
    captionAnchor = s.captionAnchor;
    captionAlignment = s.captionAlignment;
    paintTarget = s.paintTarget;
    targetLeft = s.targetLeft;
    targetTop = s.targetTop;
    scaleType = s.scaleType;
    paintSuspended = s.paintSuspended;
    requestRepaint();
}

void TScale::paintEvent(QPaintEvent* event) {
    if (transparent && !embedded && paintTarget == nullptr && !readingLayout && !paintSuspended &&
        visible) {
        paintScale(true);
    }
    QPainter p(this);
    p.drawImage(event->rect(), windowImage, event->rect());
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
