#include "simulation/FocusFrame.h"

#include <QPainter>

TFocusFrame::TFocusFrame(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("FocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TFocusFrame::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}
