#include "widgets/Panel.h"

#include "platform/Canvas.h"

#include <QPainter>

TPanel::TPanel(QWidget* owner) : QWidget(owner) {}

void TPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter = value;
    update();
}

void TPanel::SetBevelInner(TBevelCut value) {
    bevelInner = value;
    update();
}

void TPanel::SetColor(TColor value) {
    color = value;
    update();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(color));
    const QColor highlight = ToQColor(clBtnHighlight);
    const QColor shadow = ToQColor(clBtnShadow);
    QRect ring = rect();
    for (TBevelCut cut : {bevelOuter, bevelInner}) {
        if (cut == bvNone)
            continue;
        // A raised ring is light at the top and left; a lowered one the other way round.
        const QColor& topLeft = cut == bvRaised ? highlight : shadow;
        const QColor& bottomRight = cut == bvRaised ? shadow : highlight;
        p.setPen(topLeft);
        p.drawLine(ring.left(), ring.top(), ring.right(), ring.top());
        p.drawLine(ring.left(), ring.top(), ring.left(), ring.bottom());
        p.setPen(bottomRight);
        p.drawLine(ring.left(), ring.bottom(), ring.right(), ring.bottom());
        p.drawLine(ring.right(), ring.top(), ring.right(), ring.bottom());
        ring.adjust(1, 1, -1, -1);
    }
}
