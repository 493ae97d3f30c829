#include "chart/CrossHair.h"

#include <algorithm>

TCrossHair::TCrossHair(QObject* owner) : QObject(owner) {}

void TCrossHair::SetPosX(double value) {
    posX = value;
    changed();
}

void TCrossHair::SetPosY(double value) {
    posY = value;
    changed();
}

void TCrossHair::SetColor(TColor value) {
    color = value;
    changed();
}

void TCrossHair::SetLayer(int value) {
    layer = std::clamp(value, 1, MaxLayers);
    changed();
}

void TCrossHair::SetMode(TCrossHMode value) {
    mode = value;
    changed();
}

void TCrossHair::SetLineType(TPenStyle value) {
    lineType = value;
    changed();
}

void TCrossHair::SetLineWid(int value) {
    lineWid = value;
    changed();
}
