#pragma once
// TNumLab, the numeric label: one number in a framed box, in one of fifteen notations, with
// an optional text to its left (the quantity) and to its right (the unit). A value that does
// not fit the box shows the overflow indicator.

#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"
#include "widgets/NumLabText.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

class TNumLab : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(TDisplay DisplayType READ DisplayType WRITE SetDisplayType)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(bool Comma READ Comma WRITE SetComma)
    Q_PROPERTY(bool ForcePlusSign READ ForcePlusSign WRITE SetForcePlusSign)
    Q_PROPERTY(bool Empty READ Empty WRITE SetEmpty)
    Q_PROPERTY(QString OverflowIndicator READ OverflowIndicator WRITE SetOverflowIndicator)
    Q_PROPERTY(QString StateText READ StateText WRITE SetStateText)
    Q_PROPERTY(QString DTFormat READ DTFormat WRITE SetDTFormat)
    Q_PROPERTY(QString LeftText READ LeftText WRITE SetLeftText)
    Q_PROPERTY(QString RightText READ RightText WRITE SetRightText)
    Q_PROPERTY(int LeftSpace READ LeftSpace WRITE SetLeftSpace)
    Q_PROPERTY(int LabelWidth READ LabelWidth WRITE SetLabelWidth)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TAlignment LeftTextAlignment READ LeftTextAlignment WRITE SetLeftTextAlignment)
    Q_PROPERTY(TAlignment RightTextAlignment READ RightTextAlignment WRITE SetRightTextAlignment)
    Q_PROPERTY(TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(TColor ColorLabBakG READ ColorLabBakG WRITE SetColorLabBakG)
    Q_PROPERTY(TColor ColorLabText READ ColorLabText WRITE SetColorLabText)
    Q_PROPERTY(TColor ColorOutBakG READ ColorOutBakG WRITE SetColorOutBakG)
    Q_PROPERTY(TColor ColorOutText READ ColorOutText WRITE SetColorOutText)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    using TBeforeDisplayEvent = std::function<void(QObject* Sender, QString& Text)>;

    explicit TNumLab(QWidget* owner = nullptr);

    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool value);
    QFont Font() const { return font(); }
    void SetFont(const QFont& value);
    double Value() const { return value; }
    // A value equal to the stored one changes nothing and does not repaint.
    void SetValue(double v);
    TDisplay DisplayType() const { return displayType; }
    void SetDisplayType(TDisplay v);
    int Precision() const { return precision; }
    // Negative values are ignored; larger ones are limited to 15.
    void SetPrecision(int v);
    bool Comma() const { return comma; }
    void SetComma(bool v);
    bool ForcePlusSign() const { return forcePlusSign; }
    void SetForcePlusSign(bool v);
    bool Empty() const { return empty; }
    void SetEmpty(bool v);
    QString OverflowIndicator() const { return overflowIndicator; }
    void SetOverflowIndicator(const QString& v);
    QString StateText() const { return stateText; }
    void SetStateText(const QString& v);
    QString DTFormat() const { return dtFormat; }
    void SetDTFormat(const QString& v);
    QString LeftText() const { return leftText; }
    void SetLeftText(const QString& v);
    QString RightText() const { return rightText; }
    void SetRightText(const QString& v);
    int LeftSpace() const { return leftSpace; }
    // Negative values are ignored; larger ones are limited to the control's width.
    void SetLeftSpace(int v);
    int LabelWidth() const { return labelWidth; }
    void SetLabelWidth(int v);
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment v);
    TAlignment LeftTextAlignment() const { return leftTextAlignment; }
    void SetLeftTextAlignment(TAlignment v);
    TAlignment RightTextAlignment() const { return rightTextAlignment; }
    void SetRightTextAlignment(TAlignment v);
    TFrameStyle FrameStyle() const { return frameStyle; }
    void SetFrameStyle(TFrameStyle v);
    TColorScheme ColorScheme() const { return colorScheme; }
    void SetColorScheme(TColorScheme v);
    TColor ColorLabBakG() const { return colorLabBakG; }
    void SetColorLabBakG(TColor v);
    TColor ColorLabText() const { return colorLabText; }
    void SetColorLabText(TColor v);
    TColor ColorOutBakG() const { return colorOutBakG; }
    void SetColorOutBakG(TColor v);
    TColor ColorOutText() const { return colorOutText; }
    void SetColorOutText(TColor v);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool v);

    TColor FrameDarkColor() const { return frameDarkColor; }
    TColor FrameShadowColor() const { return frameShadowColor; }
    TColor FrameLightColor() const { return frameLightColor; }
    // 0 left of the box, 1 over it, 2 right of it: where the pointer last moved.
    int PointerZone() const { return pointerZone; }

    // The text the box shows now, after the notation, OnBeforeDisplay and the width test.
    QString DisplayText();
    // Copies the label's look and value, not Comma, ForcePlusSign, DTFormat or the event.
    void Assign(const TNumLab& source);

    // The picture of the last paint, as the control's window shows it: in device pixels, with
    // the screen's device pixel ratio.
    const QImage& WindowImage() const { return windowImage; }
    // How many times the control painted itself.
    int PaintCount() const { return paintCount; }

    TBeforeDisplayEvent OnBeforeDisplay;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    template <typename T> void store(T& field, const T& v);
    void repaintNow();
    void repaintNow(const QString& text);
    // The picture in device pixels, and whether the one kept has that size and ratio.
    QSize pictureSize() const;
    bool pictureFits() const;
    // The width of a text in the label's font, remembered for the last text measured.
    int textWidth(const QString& text);
    // Draws the label showing `text`, its display text, which it remembers.
    QImage render(const QString& text);

    double value = 0.0;
    TDisplay displayType = dtFixP;
    int precision = 2;
    bool comma = false;
    bool forcePlusSign = false;
    bool empty = false;
    QString overflowIndicator = QStringLiteral("*********");
    QString stateText = QStringLiteral("undefined");
    QString dtFormat = QStringLiteral("mmm-dd, yyyy");
    QString leftText;
    QString rightText;
    int leftSpace = 35;
    int labelWidth = 80;
    TAlignment alignment = taCenter;
    TAlignment leftTextAlignment = taRightJustify;
    TAlignment rightTextAlignment = taLeftJustify;
    TFrameStyle frameStyle = fsLowered;
    TColorScheme colorScheme = csBWG;
    TColor colorLabBakG = clBtnFace;
    TColor colorLabText = clBlack;
    TColor colorOutBakG = clBtnFace;
    TColor colorOutText = clBlack;
    bool transparent = false;
    TColor frameDarkColor = clBlack;
    TColor frameShadowColor = clGray;
    TColor frameLightColor = clWhite;
    int pointerZone = 0;
    QImage windowImage;
    // The text the picture shows: a new value with the same text leaves the picture alone.
    QString shownText;
    int paintCount = 0;
    QString measuredText;
    QFont measuredFont;
    int measuredWidth = 0;
};
