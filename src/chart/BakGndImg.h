#pragma once
// TBakGndImg, the background-image settings of a chart: the image file, how it fills the
// chart, and an area of the chart filled with a colour.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"
#include "platform/Colors.h"

#include <QObject>
#include <QString>

class TBakGndImg : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(bool IncludePath READ IncludePath WRITE SetIncludePath)
    Q_PROPERTY(TBkgFill FillMode READ FillMode WRITE SetFillMode)
    Q_PROPERTY(TBGAreaMode AreaMode READ AreaMode WRITE SetAreaMode)
    Q_PROPERTY(TColor AreaColor READ AreaColor WRITE SetAreaColor)
    Q_PROPERTY(double AreaLeft READ AreaLeft WRITE SetAreaLeft)
    Q_PROPERTY(double AreaRight READ AreaRight WRITE SetAreaRight)
    Q_PROPERTY(double AreaTop READ AreaTop WRITE SetAreaTop)
    Q_PROPERTY(double AreaBottom READ AreaBottom WRITE SetAreaBottom)

public:
    explicit TBakGndImg(QObject* owner = nullptr);
    // Takes every setting of `source` through its setter, IncludePath first.
    void Assign(const TBakGndImg& source);

    QString Name() const { return name; }
    // Keeps only the file-name part unless IncludePath is set.
    void SetName(const QString& value);
    bool IncludePath() const { return includePath; }
    // Turning it off also strips the directory from the stored name.
    void SetIncludePath(bool value);
    TBkgFill FillMode() const { return fillMode; }
    void SetFillMode(TBkgFill value);
    TBGAreaMode AreaMode() const { return areaMode; }
    void SetAreaMode(TBGAreaMode value);
    TColor AreaColor() const { return areaColor; }
    void SetAreaColor(TColor value);
    double AreaLeft() const { return areaLeft; }
    void SetAreaLeft(double value);
    double AreaRight() const { return areaRight; }
    void SetAreaRight(double value);
    double AreaTop() const { return areaTop; }
    void SetAreaTop(double value);
    double AreaBottom() const { return areaBottom; }
    void SetAreaBottom(double value);

    // The file-name part of a path written with '/' or '\' separators.
    static QString FileNamePart(const QString& path);

    TNotifyEvent OnChange;

private:
    void changed() { Fire(OnChange, this); }

    QString name;
    bool includePath = false;
    TBkgFill fillMode = bfStretch;
    TBGAreaMode areaMode = bamNone;
    TColor areaColor = 0xDDDDDD;
    double areaLeft = -1.0;
    double areaRight = 1.0;
    double areaTop = 1.0;
    double areaBottom = -1.0;
};
