#include "chart/BakGndImg.h"

#include <algorithm>

TBakGndImg::TBakGndImg(QObject* owner) : QObject(owner) {}

QString TBakGndImg::FileNamePart(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')),
                                   path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? path : path.mid(cut + 1);
}

void TBakGndImg::Assign(const TBakGndImg& source) {
    SetIncludePath(source.IncludePath());
    SetName(source.Name());
    SetFillMode(source.FillMode());
    SetAreaMode(source.AreaMode());
    SetAreaColor(source.AreaColor());
    SetAreaLeft(source.AreaLeft());
    SetAreaRight(source.AreaRight());
    SetAreaTop(source.AreaTop());
    SetAreaBottom(source.AreaBottom());
}

void TBakGndImg::SetName(const QString& value) {
    name = includePath ? value : FileNamePart(value);
    changed();
}

void TBakGndImg::SetIncludePath(bool value) {
    includePath = value;
    if (!includePath) {
        name = FileNamePart(name);
    }
    changed();
}

void TBakGndImg::SetFillMode(TBkgFill value) {
    fillMode = value;
    changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode value) {
    areaMode = value;
    changed();
}

void TBakGndImg::SetAreaColor(TColor value) {
    areaColor = value;
    changed();
}

void TBakGndImg::SetAreaLeft(double value) {
    areaLeft = value;
    changed();
}

void TBakGndImg::SetAreaRight(double value) {
    areaRight = value;
    changed();
}

void TBakGndImg::SetAreaTop(double value) {
    areaTop = value;
    changed();
}

void TBakGndImg::SetAreaBottom(double value) {
    areaBottom = value;
    changed();
}
