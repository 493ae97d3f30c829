#pragma once
// A text placed on a chart, anchored in pixels or in the world coordinates of a layer.
// TCustomTextLabel holds the behaviour; TTextLabel publishes its properties.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"

#include <QFont>
#include <QObject>
#include <QString>

class TCustomTextLabel : public QObject {
    Q_OBJECT

public:
    explicit TCustomTextLabel(QObject* owner = nullptr);

    double PosX() const { return posX; }
    void SetPosX(double value);
    double PosY() const { return posY; }
    void SetPosY(double value);
    int Layer() const { return layer; }
    // A layer outside 1..16 is ignored: nothing is stored, nobody is told.
    void SetLayer(int value);
    TTxtLblAttachMode AttachToData() const { return attachToData; }
    void SetAttachToData(TTxtLblAttachMode value);
    TColor ColorBkg() const { return colorBkg; }
    void SetColorBkg(TColor value);
    TColor ColorBorder() const { return colorBorder; }
    void SetColorBorder(TColor value);
    TColor ColorShadow() const { return colorShadow; }
    void SetColorShadow(TColor value);
    int ShadowDx() const { return shadowDx; }
    void SetShadowDx(int value);
    int ShadowDy() const { return shadowDy; }
    void SetShadowDy(int value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment value);
    TVerticalAlignment VerticalAlignment() const { return verticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value);
    QFont Font() const { return font; }
    void SetFont(const QFont& value);
    TTxtLblMode Mode() const { return mode; }
    void SetMode(TTxtLblMode value);
    QString Caption() const { return caption; }
    // Control characters other than the line feed become blanks; line feeds break lines.
    void SetCaption(const QString& value);
    bool Visible() const { return visible; }
    void SetVisible(bool value);

    TNotifyEvent OnChange;

private:
    void changed() { Fire(OnChange, this); }

    double posX = 100.0;
    double posY = 10.0;
    int layer = 1;
    TTxtLblAttachMode attachToData = tlamNone;
    TColor colorBkg = clSilver;
    TColor colorBorder = clBlack;
    TColor colorShadow = clGray;
    int shadowDx = 0;
    int shadowDy = 0;
    bool transparent = false;
    TAlignment alignment = taCenter;
    TVerticalAlignment verticalAlignment = vaBottom;
    QFont font;
    TTxtLblMode mode = tlsimple;
    QString caption;
    bool visible = true;
};

class TTextLabel : public TCustomTextLabel {
    Q_OBJECT
    Q_PROPERTY(double PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(double PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
    Q_PROPERTY(TTxtLblAttachMode AttachToData READ AttachToData WRITE SetAttachToData)
    Q_PROPERTY(TColor ColorBkg READ ColorBkg WRITE SetColorBkg)
    Q_PROPERTY(TColor ColorBorder READ ColorBorder WRITE SetColorBorder)
    Q_PROPERTY(TColor ColorShadow READ ColorShadow WRITE SetColorShadow)
    Q_PROPERTY(int ShadowDx READ ShadowDx WRITE SetShadowDx)
    Q_PROPERTY(int ShadowDy READ ShadowDy WRITE SetShadowDy)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(TVerticalAlignment VerticalAlignment READ VerticalAlignment WRITE
                   SetVerticalAlignment)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TTxtLblMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    using TCustomTextLabel::TCustomTextLabel;
};
