#include "chart/TextLabel.h"

TCustomTextLabel::TCustomTextLabel(QObject* owner) : QObject(owner) {}

void TCustomTextLabel::SetPosX(double value) {
    posX = value;
    changed();
}

void TCustomTextLabel::SetPosY(double value) {
    posY = value;
    changed();
}

void TCustomTextLabel::SetLayer(int value) {
    if (value < 1 || value > MaxLayers) {
        return;
    }
    layer = value;
    changed();
}

void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode value) {
    attachToData = value;
    changed();
}

void TCustomTextLabel::SetColorBkg(TColor value) {
    colorBkg = value;
    changed();
}

void TCustomTextLabel::SetColorBorder(TColor value) {
    colorBorder = value;
    changed();
}

void TCustomTextLabel::SetColorShadow(TColor value) {
    colorShadow = value;
    changed();
}

void TCustomTextLabel::SetShadowDx(int value) {
    shadowDx = value;
    changed();
}

void TCustomTextLabel::SetShadowDy(int value) {
    shadowDy = value;
    changed();
}

void TCustomTextLabel::SetTransparent(bool value) {
    transparent = value;
    changed();
}

void TCustomTextLabel::SetAlignment(TAlignment value) {
    alignment = value;
    changed();
}

void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment value) {
    verticalAlignment = value;
    changed();
}

void TCustomTextLabel::SetFont(const QFont& value) {
    font = value;
    changed();
}

void TCustomTextLabel::SetMode(TTxtLblMode value) {
    mode = value;
    changed();
}

void TCustomTextLabel::SetCaption(const QString& value) {
    QString text = value;
    for (QChar& c : text) {
        if (c.unicode() < 32 && c.unicode() != 10) {
            c = QLatin1Char(' ');
        }
    }
    caption = text;
    changed();
}

void TCustomTextLabel::SetVisible(bool value) {
    visible = value;
    changed();
}
