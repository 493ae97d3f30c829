#pragma once
// A chart's three pictures (the whole control, its data area, and the window's image) and
// what each of them shows, so that a repaint draws and copies only what changed: the outer
// area when something it shows changed, the data area where items changed. The chart says
// how each part is drawn; the pictures decide how much of it.

#include "chart/ChartDamage.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartTransform.h"
#include "chart/ChartTypes.h"
#include "chart/DisplayList.h"
#include "platform/Colors.h"

#include <QFont>
#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>
#include <optional>

class Canvas;
class QPainter;

class TChartPictures {
public:
    // How the chart draws each part, and asks the screen to show a rectangle of the window.
    class IPainter {
    public:
        virtual void PaintOuterArea(Canvas& c) = 0;
        // The data area's background and items, its top left corner at (ox, oy).
        virtual void PaintDataArea(Canvas& c, int ox, int oy) = 0;
        virtual void PaintCrossHairs(QImage& picture, int ox, int oy) = 0;
        virtual void ShowPart(const QRect& r) = 0;

    protected:
        ~IPainter() = default;
    };

    // Everything the pictures are drawn from besides the display list. While it stands, the
    // outer area is current, and a redraw paints only where items changed.
    struct TKey {
        TChartGeometry Geometry;
        TChartStyle Style;
        QFont Font;
        TColor CaptionColor = clBlack;
        std::uint64_t Scales = 0;
        std::uint64_t State = 0;
        int ActiveLayer = 1;
        std::array<bool, MaxLayers> LayerVisible{};
        std::array<bool, 256> ClassVisible{};
        qreal Ratio = 1;
        bool operator==(const TKey&) const = default;
    };

    // One repaint: the state, the control's size and data area (frame included) in logical
    // pixels, and what may be kept.
    struct TRepaint {
        TKey Key;
        QSize Control;
        QRect Area;
        TColor WindColor = clBtnFace;
        // A listener draws on the pictures it is handed: they are then made whole.
        bool ScalesListened = false;
        bool DataListened = false;
        // Painting only where items changed gives the whole picture's pixels.
        bool PartialSafe = false;
        const TDisplayList& Items;
        const TChartTransform& Transform;
    };

    explicit TChartPictures(IPainter& painter) : chart(painter) {}

    // The whole control into its picture, then to the window.
    void Full(const TRepaint& r);
    // The data area into its own picture, then to the window.
    void DataArea(const TRepaint& r);
    // The next full repaint or data-area redraw draws everything.
    void ForgetControl() { controlDrawn.reset(); }
    void ForgetArea() { areaDrawn.reset(); }

    // Copies `part` of `picture` (all of it by default) to the window's image with the
    // picture's top left corner at (x, y), and asks the screen to show that part.
    void ToWindow(const QImage& picture, int x, int y, const TRepaint& r,
                  std::optional<QRect> part = std::nullopt);
    // Something was drawn on the window's image itself: the next repaint copies everything.
    void WindowDrawnOn();
    // The window shows `picture` where it lies now.
    void Shown(const QImage& picture);
    // The window's image onto the screen, device pixel for device pixel.
    void Blit(QPainter& p, const QRect& r) const;

    QImage& Control() { return controlBitmap; }
    QImage& Area() { return chartAreaBitmap; }
    QImage& Window() { return windowImage; }
    const QImage& Control() const { return controlBitmap; }
    const QImage& Window() const { return windowImage; }

private:
    // Whether `window` has the control picture's size and resolution.
    bool fits(const QImage& window) const;

    IPainter& chart;
    QImage controlBitmap;
    QImage chartAreaBitmap;
    QImage windowImage;
    std::optional<TKey> controlDrawn; // what controlBitmap was drawn from
    std::optional<TKey> areaDrawn;    // what chartAreaBitmap was drawn from
    TChartDamage controlDamage;
    TChartDamage areaDamage;
    // What the window's image shows: controlBitmap's outer area, and the data area of
    // controlBitmap or of chartAreaBitmap.
    bool windowHasOuter = false;
    bool windowHasControlArea = false;
    bool windowHasAreaBitmap = false;
};
