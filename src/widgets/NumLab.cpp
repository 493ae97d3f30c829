#include "widgets/NumLab.h"

#include "numerics/Conversions.h"
#include "platform/Canvas.h"
#include "platform/DrawFrame.h"
#include "widgets/DateTimeText.h"
#include "widgets/NumLabAccessible.h"

#include <QAccessible>

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
// The probe whose height sets the line of every text: ascenders, descenders and accents.
const QString Probe = QStringLiteral("(8g]}ÜÄ§");
} // namespace

TNumLab::TNumLab(QWidget* owner) : QWidget(owner) {
    TNumLabAccessible::Install();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(160, 28);
}

template <typename T> void TNumLab::store(T& field, const T& v) {
    if (field != v) {
        field = v;
        repaintNow();
    }
}

// Both changes come back as change events, which repaint.
void TNumLab::SetEnabled(bool v) { setEnabled(v); }
void TNumLab::SetFont(const QFont& v) { setFont(v); }

void TNumLab::SetValue(double v) {
    // Compared as the label compares: an equal value is not shown again.
    if (!(v == value)) {
        value = v;
        // Dragging a value changes it at every move, but the digits shown seldom: the picture
        // is made again only when its text changes. Hidden, it is made when it is shown.
        if (isVisible()) {
            const QString text = DisplayText();
            if (text != shownText || !pictureFits()) {
                repaintNow(text);
            }
        }
        // A screen reader hears the new value.
        QAccessibleValueChangeEvent changed(this, v);
        QAccessible::updateAccessibility(&changed);
    }
}

void TNumLab::SetDisplayType(TDisplay v) { store(displayType, v); }

void TNumLab::SetPrecision(int v) {
    if (v >= 0) {
        store(precision, std::min(v, 15));
    }
}

void TNumLab::SetComma(bool v) { store(comma, v); }
void TNumLab::SetForcePlusSign(bool v) { store(forcePlusSign, v); }
void TNumLab::SetEmpty(bool v) { store(empty, v); }
void TNumLab::SetOverflowIndicator(const QString& v) { store(overflowIndicator, v); }
void TNumLab::SetStateText(const QString& v) { store(stateText, v); }
void TNumLab::SetDTFormat(const QString& v) { store(dtFormat, v); }
void TNumLab::SetLeftText(const QString& v) { store(leftText, v); }
void TNumLab::SetRightText(const QString& v) { store(rightText, v); }

void TNumLab::SetLeftSpace(int v) {
    if (v >= 0) {
        store(leftSpace, std::min(v, width()));
    }
}

void TNumLab::SetLabelWidth(int v) { store(labelWidth, v); }
void TNumLab::SetAlignment(TAlignment v) { store(alignment, v); }
void TNumLab::SetLeftTextAlignment(TAlignment v) { store(leftTextAlignment, v); }
void TNumLab::SetRightTextAlignment(TAlignment v) { store(rightTextAlignment, v); }
void TNumLab::SetFrameStyle(TFrameStyle v) { store(frameStyle, v); }

void TNumLab::SetColorScheme(TColorScheme v) {
    if (v == colorScheme) {
        return;
    }
    colorScheme = v;
    frameShadowColor = FrameColorsOf(v).Shadow;
    frameLightColor = FrameColorsOf(v).Highlight;
    repaintNow();
}

void TNumLab::SetColorLabBakG(TColor v) { store(colorLabBakG, v); }
void TNumLab::SetColorLabText(TColor v) { store(colorLabText, v); }
void TNumLab::SetColorOutBakG(TColor v) { store(colorOutBakG, v); }
void TNumLab::SetColorOutText(TColor v) { store(colorOutText, v); }

void TNumLab::SetTransparent(bool v) {
    if (v == transparent) {
        return;
    }
    transparent = v;
    // Transparent, the parent shows through and must paint first.
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    if (v) {
        windowImage = render(DisplayText());
        update();
    } else {
        repaintNow();
    }
}

QString TNumLab::DisplayText() {
    if (empty) {
        return {};
    }
    TNumLabFormat f;
    f.Value = value;
    f.DisplayType = displayType;
    f.Precision = precision;
    f.Comma = comma;
    f.ForcePlusSign = forcePlusSign;
    f.StateText = stateText.toStdString();
    f.DTFormat = dtFormat.toStdString();
    f.FormatDateTime = [](double v, const std::string& pattern) -> std::optional<std::string> {
        const auto text = FormatDateTimeValue(v, QString::fromStdString(pattern));
        return text ? std::optional<std::string>(text->toStdString()) : std::nullopt;
    };
    const auto text = NumLabValueText(f);
    QString shown = text ? QString::fromStdString(*text) : overflowIndicator;
    if (OnBeforeDisplay) {
        OnBeforeDisplay(this, shown);
    }
    if (displayType != dtState && textWidth(shown) > labelWidth - 6) {
        shown = overflowIndicator;
    }
    return shown;
}

int TNumLab::textWidth(const QString& text) {
    // Measuring shapes the text, which costs more than formatting it; a value being dragged
    // asks for the width of the same text again and again.
    if (text != measuredText || font() != measuredFont) {
        measuredText = text;
        measuredFont = font();
        measuredWidth = QFontMetrics(measuredFont).horizontalAdvance(text);
    }
    return measuredWidth;
}

void TNumLab::Assign(const TNumLab& s) {
    leftSpace = s.leftSpace;
    empty = s.empty;
    labelWidth = s.labelWidth;
    precision = s.precision;
    leftText = s.leftText;
    rightText = s.rightText;
    frameStyle = s.frameStyle;
    alignment = s.alignment;
    rightTextAlignment = s.rightTextAlignment;
    leftTextAlignment = s.leftTextAlignment;
    overflowIndicator = s.overflowIndicator;
    value = s.value;
    stateText = s.stateText;
    transparent = s.transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    colorLabBakG = s.colorLabBakG;
    colorLabText = s.colorLabText;
    colorOutBakG = s.colorOutBakG;
    colorOutText = s.colorOutText;
    frameDarkColor = s.frameDarkColor;
    frameShadowColor = s.frameShadowColor;
    frameLightColor = s.frameLightColor;
    colorScheme = s.colorScheme;
    displayType = s.displayType;
    repaintNow();
}

void TNumLab::repaintNow() {
    if (isVisible()) {
        repaintNow(DisplayText()); // a hidden label is painted when it is shown
    }
}

void TNumLab::repaintNow(const QString& text) {
    if (!isVisible()) {
        return; // painted when it is shown
    }
    windowImage = render(text);
    ++paintCount;
    update();
}

QSize TNumLab::pictureSize() const {
    const qreal ratio = devicePixelRatioF();
    return {CheckedInt32(std::ceil(std::max(width(), 1) * ratio)),
            CheckedInt32(std::ceil(std::max(height(), 1) * ratio))};
}

bool TNumLab::pictureFits() const {
    return windowImage.size() == pictureSize() &&
           windowImage.devicePixelRatio() == devicePixelRatioF();
}

QImage TNumLab::render(const QString& text) {
    shownText = text;
    const int w = std::max(width(), 1);
    const int h = std::max(height(), 1);
    const int l = leftSpace;
    const int b = labelWidth;
    // The picture has the screen's resolution: Canvas draws in logical pixels on it, so the
    // lines cover whole device pixels and the text is as sharp as the screen allows.
    QImage picture(pictureSize(), QImage::Format_RGB32);
    picture.setDevicePixelRatio(devicePixelRatioF());
    Canvas c(picture);
    c.SetFont(font());
    const int textTop = (h - c.TextHeight(Probe)) / 2;

    // 1. Background.
    const TColor outside = transparent ? clWhite : colorOutBakG;
    c.SetPenColor(outside);
    c.SetBrushColor(outside);
    c.Rectangle(0, 0, w, h);

    // 2, 3. The texts beside the box; engraved when disabled.
    c.SetBrushStyle(bsClear);
    auto sideText = [&](const QString& text, int x, bool shadowLeft) {
        if (text.isEmpty()) {
            return;
        }
        if (isEnabled()) {
            c.SetTextColor(colorOutText);
        } else {
            c.SetTextColor(clWhite);
            c.TextOut(shadowLeft ? x - 1 : x + 1, textTop + 1, text);
            c.SetTextColor(clGray);
        }
        c.TextOut(x, textTop, text);
    };
    const int lw = c.TextWidth(leftText);
    sideText(leftText,
             leftTextAlignment == taLeftJustify    ? 7
             : leftTextAlignment == taRightJustify ? l - lw - 5
                                                   : (l - lw) / 2,
             false);
    const int rw = c.TextWidth(rightText);
    sideText(rightText,
             rightTextAlignment == taLeftJustify    ? l + b + 7
             : rightTextAlignment == taRightJustify ? w - rw - 6
                                                    : (w - l - b - rw) / 2 + l + b + 1,
             rightTextAlignment == taRightJustify);

    // 4. The box.
    c.SetBrushStyle(bsSolid);
    c.SetBrushColor(colorLabBakG);
    c.SetPenColor(frameStyle == fsNone       ? colorLabBakG
                  : frameStyle == fsEmbossed ? frameLightColor
                                             : frameShadowColor);
    if (frameStyle == fsNone || frameStyle == fsSimple) {
        c.Rectangle(l, 0, l + b + 2, h);
    } else {
        c.Rectangle(l, 0, l + b + 2, h - 1);
        TColor c1 = frameLightColor;
        TColor c2 = frameLightColor;
        switch (frameStyle) {
        case fsLowered:
            c1 = frameDarkColor;
            c2 = frameLightColor;
            break;
        case fsRaised:
            c1 = frameLightColor;
            c2 = frameDarkColor;
            break;
        case fsEmbossed:
            c1 = c2 = frameShadowColor;
            break;
        default:
            break;
        }
        c.SetPenColor(c1);
        c.MoveTo(l + 1, h - 3);
        c.LineTo(l + 1, 1);
        c.LineTo(l + b + 1, 1);
        c.SetPenColor(c2);
        c.MoveTo(l + 1, h - 1);
        c.LineTo(l + b + 2, h - 1);
        c.LineTo(l + b + 2, 0);
    }

    // 5. The number, clipped to the inside of the box.
    if (!empty) {
        const int tw = c.TextWidth(text);
        c.SetBrushStyle(bsClear);
        c.SetTextColor(isEnabled() ? colorLabText : clGray);
        c.SetClipRect(l + 3, 2, l + b - 1, h - 3);
        c.TextOut(alignment == taLeftJustify    ? l + 4
                  : alignment == taRightJustify ? l + b - tw - 2
                                                : l + (b - tw) / 2 + 2,
                  textTop, text);
        c.ClearClip();
    }
    return picture;
}

void TNumLab::paintEvent(QPaintEvent*) {
    if (!pictureFits()) {
        windowImage = render(DisplayText());
    }
    QPainter p(this);
    if (transparent) {
        // White lets the parent through: the picture is combined with it by bitwise AND,
        // over a box filled so the number stays readable.
        p.fillRect(QRect(QPoint(leftSpace + 2, 2), QPoint(leftSpace + labelWidth - 1, height() - 3)),
                   ToQColor(ColorToRGB(colorLabText) == clBlack ? colorLabBakG : clWhite));
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    }
    p.drawImage(0, 0, windowImage);
}

void TNumLab::mouseMoveEvent(QMouseEvent* event) {
    const int x = CheckedInt32(event->position().x());
    pointerZone = x <= leftSpace ? 0 : (x <= leftSpace + labelWidth ? 1 : 2);
    QWidget::mouseMoveEvent(event);
}

void TNumLab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    repaintNow();
}

void TNumLab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    repaintNow();
}

void TNumLab::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        repaintNow();
    }
}
