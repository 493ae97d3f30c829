#pragma once
// TPanel, a plain container in the button-face colour with optional bevels: an outer and an
// inner ring, each none, lowered or raised, one pixel wide. The windows use it for their
// button bar, their label column and the framed groups of the About box.

#include "platform/Colors.h"

#include <QWidget>

enum TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPanel(QWidget* owner = nullptr);

    TBevelCut BevelOuter() const { return bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return bevelInner; }
    void SetBevelInner(TBevelCut value);
    TColor Color() const { return color; }
    void SetColor(TColor value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevelCut bevelOuter = bvNone;
    TBevelCut bevelInner = bvNone;
    TColor color = clBtnFace;
};
