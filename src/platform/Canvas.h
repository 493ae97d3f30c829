#pragma once
// The 2-D drawing surface every drawing part of the program uses: a pen, a brush and a font
// over QPainter on a QImage, with the program's pixel rules: a line does not set its end
// pixel, a rectangle (x1, y1, x2, y2) covers x1..x2-1 and y1..y2-1, antialiasing is off
// except for text. Coordinates are logical pixels; on an image with a device pixel ratio the
// shapes cover ratio x ratio device pixels per logical pixel and text has the device's
// resolution. Spans, rectangles, pixels and the chart's slanted faces are written straight
// into the image; what Qt draws the same way is left to it.

#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"
#include "platform/PixelRaster.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <utility>
#include <vector>

class Canvas {
public:
    // Direct writes the shapes it can into the image's memory; QtOnly paints everything with
    // QPainter, the reference the direct writes are tested against.
    enum class TPath { Direct, QtOnly };

    // Paints on `image`, which must outlive the canvas and not be copied while it paints.
    explicit Canvas(QImage& image, TPath path = TPath::Direct);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The image's size in logical pixels.
    int Width() const { return raster.Bounds().width(); }
    int Height() const { return raster.Bounds().height(); }
    // Device pixels per logical pixel.
    qreal Ratio() const { return raster.Ratio(); }

    TColor PenColor() const { return penColor; }
    void SetPenColor(TColor color);
    int PenWidth() const { return penWidth; }
    void SetPenWidth(int width);
    void SetPenStyle(TPenStyle style);
    void SetPenMode(TPenMode mode);

    TColor BrushColor() const { return brushColor; }
    void SetBrushColor(TColor color);
    void SetBrushStyle(TBrushStyle style);

    const QFont& Font() const { return font; }
    void SetFont(const QFont& f);
    // The colour of text, which is the font's colour and not the pen's.
    void SetTextColor(TColor color) { textColor = color; }

    QPoint PenPos() const { return penPos; }
    void MoveTo(int x, int y);
    // Draws from the pen position to (x, y), without the end pixel, and moves the pen there.
    void LineTo(int x, int y);
    // Outline in the pen, inside in the brush, covering x1..x2-1 and y1..y2-1.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Outline through every vertex, inside filled with the brush.
    void Polygon(const QPolygon& points);

    // Pixels outside the image read as black and are not written.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Text with its top left corner at (x, y); the background is filled with the brush
    // unless the brush is clear.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    void Draw(int x, int y, const QImage& picture);
    void StretchDraw(const QRect& target, const QImage& picture);

    // Limits drawing to x1..x2-1, y1..y2-1 until ClearClip.
    void SetClipRect(int x1, int y1, int x2, int y2);
    void ClearClip();

private:
    // The brush alone over x1..x2-1, y1..y2-1: a rectangle drawn with a clear pen.
    void fillRect(int x1, int y1, int x2, int y2);
    // Whether shapes in the pen's colour can be written directly: copy mode, a one-pixel
    // solid pen.
    bool directPen() const;
    bool directLine(QPoint from, QPoint to);
    bool directPolygon(const QPolygon& points);
    // Sets one logical pixel with Qt, for a pen mode the raster does not know.
    void qtPoint(int x, int y, QColor colour);
    void applyPen();
    void applyBrush();
    void withComposition(QPainter::CompositionMode mode, const auto& draw);

    QImage& image;
    TPixelRaster raster;
    const bool direct;
    QPainter painter;
    QRgb penRgb = 0;
    QRgb brushRgb = 0;
    std::vector<std::pair<int, int>> polygonRows; // kept between polygons: no allocation each
    TColor penColor = clBlack;
    int penWidth = 1;
    TPenStyle penStyle = psSolid;
    TPenMode penMode = pmCopy;
    TColor brushColor = clWhite;
    TBrushStyle brushStyle = bsSolid;
    QFont font;
    TColor textColor = clBlack;
    QPoint penPos;
};

QColor ToQColor(TColor color);
TColor FromQRgb(QRgb rgb);
