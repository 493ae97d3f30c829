#pragma once
// TCrossHair, one of the chart's four cross-hairs: a horizontal and/or vertical line through
// a position given in the world coordinates of its layer.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"

#include <QObject>

class TCrossHair : public QObject {
    Q_OBJECT
    Q_PROPERTY(double PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(double PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Layer READ Layer WRITE SetLayer)
    Q_PROPERTY(TCrossHMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(TPenStyle LineType READ LineType WRITE SetLineType)
    Q_PROPERTY(int LineWid READ LineWid WRITE SetLineWid)

public:
    explicit TCrossHair(QObject* owner = nullptr);

    double PosX() const { return posX; }
    void SetPosX(double value);
    double PosY() const { return posY; }
    void SetPosY(double value);
    TColor Color() const { return color; }
    void SetColor(TColor value);
    int Layer() const { return layer; }
    // Clamped to 1..16.
    void SetLayer(int value);
    TCrossHMode Mode() const { return mode; }
    void SetMode(TCrossHMode value);
    TPenStyle LineType() const { return lineType; }
    void SetLineType(TPenStyle value);
    int LineWid() const { return lineWid; }
    void SetLineWid(int value);

    TNotifyEvent OnChange;

private:
    void changed() { Fire(OnChange, this); }

    double posX = 0.0;
    double posY = 0.0;
    TColor color = clBlack;
    int layer = 1;
    TCrossHMode mode = chOff;
    TPenStyle lineType = psSolid;
    int lineWid = 1;
};
