// The chart and the mouse: world positions under the pointer, the application cursor, and
// the mouse actions (panning, zoom dragging, rubber band and zoom windows, dragging a
// cross-hair or a text label).

#include "chart/RChart.h"
#include "numerics/Conversions.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <limits>

namespace {
QPoint pixelOf(const QMouseEvent* e) {
    return QPoint(CheckedInt32(e->position().x()), CheckedInt32(e->position().y()));
}
} // namespace

void TCustomRChart::SetZoomLimits(double xLo, double yLo, double xHi, double yHi) {
    zoomLimits = {xLo, yLo, xHi, yHi};
}

bool TCustomRChart::MouseLayer(int layer) const {
    return layer >= 1 && layer <= MaxLayers && mouseLayers[static_cast<std::size_t>(layer - 1)];
}

void TCustomRChart::SetMouseLayer(int layer, bool value) {
    if (layer >= 1 && layer <= MaxLayers) {
        mouseLayers[static_cast<std::size_t>(layer - 1)] = value;
    }
}

bool TCustomRChart::inDataArea(int x, int y) const {
    const TChartGeometry& g = geometry;
    return g.MarginLeft <= x && x <= g.Width - g.MarginRight - g.ShadowWidth &&
           g.MarginTop <= y && y <= g.Height - g.MarginBottom - g.ShadowWidth;
}

void TCustomRChart::updateCursor(bool inside) {
    if (!inside || mouseCursorFixed) {
        SetApplicationCursor(QCursor(Qt::ArrowCursor));
        return;
    }
    switch (mouseAction) {
    case maNone:
        SetApplicationCursor(QCursor(Qt::CrossCursor));
        break;
    case maPan:
    case maPanHoriz:
    case maPanVert:
        SetApplicationCursor(ApplicationCursor(1));
        break;
    case maRubberBand:
    case maDragCrossH:
    case maDragLabel:
        SetApplicationCursor(QCursor(Qt::ArrowCursor));
        break;
    case maZoomWind:
        SetApplicationCursor(ApplicationCursor(2));
        break;
    case maZoomWindPos:
        SetApplicationCursor(ApplicationCursor(4));
        break;
    case maZoomDrag:
        SetApplicationCursor(ApplicationCursor(3));
        break;
    default:
        break; // zoom and rotation modes leave the cursor as it is
    }
}

void TCustomRChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    lastMouse = p;
    Fire(OnMouseMove, this, event->modifiers(), event->buttons(), p.x(), p.y());
    handleMouseAction(p.x(), p.y(), event->buttons().testFlag(Qt::LeftButton));
    double x = 0, y = 0;
    PixelToWorld(activeLayer, p.x(), p.y(), x, y);
    const bool inside = inDataArea(p.x(), p.y());
    if (inside) {
        mouseWorldX = x;
        mouseWorldY = y;
    }
    updateCursor(inside);
    Fire(OnMouseMoveInChart, this, inside, event->modifiers(), x, y);
}

void TCustomRChart::mousePressEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    pressedHere = event->button() == Qt::LeftButton;
    Fire(OnMouseDown, this, event->button(), event->modifiers(), p.x(), p.y());
    const bool rectMode =
        mouseAction == maRubberBand || mouseAction == maZoomWind || mouseAction == maZoomWindPos;
    if (rectMode && !rectActive && event->button() == Qt::LeftButton && inDataArea(p.x(), p.y())) {
        rectActive = true;
        rectDrawn = false;
        rectFixed = p;
        rectMoving = p;
    }
}

void TCustomRChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    Fire(OnMouseUp, this, event->button(), event->modifiers(), p.x(), p.y());
    if (event->button() == Qt::LeftButton && pressedHere && rect().contains(p)) {
        Fire(OnClick, this);
    }
    pressedHere = false;
    if (rectActive) {
        endRectangle(event->button());
    }
}

void TCustomRChart::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt reports the second press of a double click as this event instead of a press, so that
    // press is swallowed (no OnMouseDown) and the release that follows is handled as usual.
    (void)event;
    Fire(OnDblClick, this);
}

void TCustomRChart::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Fire(OnMouseEnter, this);
}

void TCustomRChart::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Fire(OnMouseLeave, this);
}

bool TCustomRChart::event(QEvent* e) {
    // Arrow keys and Tab go to the chart while it has the focus.
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(e));
            return true;
        }
    }
    return QWidget::event(e);
}

void TCustomRChart::startDrag(int x, int y) {
    dragStart = QPoint(x, y);
    for (int n = 1; n <= MaxLayers; ++n) {
        savedRanges[static_cast<std::size_t>(n - 1)] = {XAxis(n)->RangeLow(), XAxis(n)->RangeHigh(),
                                                        YAxis(n)->RangeLow(), YAxis(n)->RangeHigh()};
    }
    dragActive = true;
    if (mouseAction == maDragCrossH) {
        double best = std::numeric_limits<double>::max();
        draggedCrossHair = 1;
        for (int n = 1; n <= 4; ++n) {
            const TCrossHair& ch = *CrossHair(n);
            int px = 0, py = 0;
            WorldToPixel(ch.Layer(), ch.PosX(), ch.PosY(), px, py);
            const double dx = static_cast<double>(px) - x;
            const double dy = static_cast<double>(py) - y;
            if ((ch.Mode() == chVert || ch.Mode() == chBoth) && dx * dx < best) {
                best = dx * dx;
                draggedCrossHair = n;
            }
            if ((ch.Mode() == chHoriz || ch.Mode() == chBoth) && dy * dy < best) {
                best = dy * dy;
                draggedCrossHair = n;
            }
        }
    } else if (mouseAction == maDragLabel) {
        double best = std::numeric_limits<double>::max();
        draggedLabel = 0;
        for (int n = 1; n <= TextLabelCount; ++n) {
            const TTextLabel& l = *TextLabel(n);
            if (!l.Visible() || l.Mode() == tlOff) {
                continue;
            }
            int px = 0, py = 0;
            WorldToPixel(l.Layer(), l.PosX(), l.PosY(), px, py);
            if (l.AttachToData() == tlamNone || l.AttachToData() == tlamYOnly) {
                px = CheckedInt32(l.PosX());
            }
            if (l.AttachToData() == tlamNone || l.AttachToData() == tlamXOnly) {
                py = CheckedInt32(l.PosY());
            }
            const double d = std::pow(px - x, 2.0) + std::pow(py - y, 2.0);
            if (d < best) {
                best = d;
                draggedLabel = n;
            }
        }
    }
}

void TCustomRChart::handleMouseAction(int x, int y, bool leftHeld) {
    switch (mouseAction) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag:
    case maDragCrossH:
    case maDragLabel:
        if (!leftHeld) {
            dragActive = false;
            return;
        }
        if (!dragActive) {
            startDrag(x, y);
            return;
        }
        if (mouseAction == maDragCrossH || mouseAction == maDragLabel) {
            dragObject(x, y);
        } else if (inDataArea(x, y)) {
            panOrZoom(x, y);
        }
        return;
    case maRubberBand:
    case maZoomWind:
    case maZoomWindPos: {
        if (!rectActive) {
            return;
        }
        const TChartGeometry& g = geometry;
        int cx = std::clamp(x, g.MarginLeft, g.Width - g.MarginRight - g.ShadowWidth);
        int cy = std::clamp(y, g.MarginTop, g.Height - g.MarginBottom - g.ShadowWidth);
        if (isometric) {
            const int dx = cx - rectFixed.x();
            cy = (cy - rectFixed.y()) * dx >= 1 ? rectFixed.y() + dx : rectFixed.y() - dx;
        }
        if (rectDrawn) {
            xorRectangle(); // the previous one goes
        }
        rectMoving = QPoint(cx, cy);
        xorRectangle();
        rectDrawn = true;
        return;
    }
    default:
        return;
    }
}

void TCustomRChart::xorRectangle() {
    if (windowImage.isNull()) {
        return;
    }
    {
        Canvas c(windowImage);
        c.SetPenMode(pmXor);
        c.SetPenColor(clWhite);
        c.SetBrushStyle(bsClear);
        // The rectangle between the two corner pixels, both included, whichever way it was
        // dragged (QRect::normalized would drop a pixel at each end of a reversed one).
        const int left = std::min(rectFixed.x(), rectMoving.x());
        const int right = std::max(rectFixed.x(), rectMoving.x());
        const int top = std::min(rectFixed.y(), rectMoving.y());
        const int bottom = std::max(rectFixed.y(), rectMoving.y());
        c.Rectangle(left, top, right + 1, bottom + 1);
    }
    update();
}

void TCustomRChart::applyLimited(int layer, double xLo, double yLo, double xHi, double yHi,
                                 bool keepWidth) {
    const bool limited = std::any_of(zoomLimits.begin(), zoomLimits.end(),
                                     [](double v) { return v != 0; });
    auto clip = [keepWidth](double& lo, double& hi, double min, double max) {
        const double width = hi - lo;
        if (lo < min) {
            lo = min;
            if (keepWidth) {
                hi = min + width;
            }
        }
        if (hi > max) {
            hi = max;
            if (keepWidth) {
                lo = max - width;
            }
        }
    };
    if (limited) {
        clip(xLo, xHi, zoomLimits[0], zoomLimits[2]);
        clip(yLo, yHi, zoomLimits[1], zoomLimits[3]);
    }
    applyWithJoins(layer, xLo, yLo, xHi, yHi);
}

void TCustomRChart::panOrZoom(int x, int y) {
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    const double dx = x - dragStart.x();
    const double dy = y - dragStart.y();
    const double aw = std::max(geometry.AreaWidth(), 1);
    const double ah = std::max(geometry.AreaHeight(), 1);
    for (int n = 1; n <= MaxLayers; ++n) {
        if (!MouseLayer(n)) {
            continue;
        }
        const SavedRange& s = savedRanges[static_cast<std::size_t>(n - 1)];
        double xLo = s.xLo, xHi = s.xHi, yLo = s.yLo, yHi = s.yHi;
        const bool xLog = XAxis(n)->Logarithmic();
        const bool yLog = YAxis(n)->Logarithmic();
        if (mouseAction == maZoomDrag) {
            const double fx = 1 - dx / std::max(geometry.Width, 1);
            const double fy = isometric ? fx : dy / std::max(geometry.Height, 1) + 1;
            const double cx = (s.xLo + s.xHi) / 2, hx = (s.xHi - s.xLo) / 2 * fx;
            const double cy = (s.yLo + s.yHi) / 2, hy = (s.yHi - s.yLo) / 2 * fy;
            xLo = cx - hx;
            xHi = cx + hx;
            yLo = cy - hy;
            yHi = cy + hy;
        } else {
            // The data follows the pointer: a move to the right shows smaller x values.
            auto shift = [](double lo, double hi, double pixels, double size, bool log,
                            double& outLo, double& outHi) {
                if (log && lo > 0 && hi > 0) {
                    const double f = std::exp(std::log(hi / lo) * pixels / size);
                    outLo = lo * f;
                    outHi = hi * f;
                } else {
                    const double d = (hi - lo) * pixels / size;
                    outLo = lo + d;
                    outHi = hi + d;
                }
            };
            if (mouseAction != maPanVert) {
                shift(s.xLo, s.xHi, -dx, aw, xLog, xLo, xHi);
            }
            if (mouseAction != maPanHoriz) {
                shift(s.yLo, s.yHi, dy, ah, yLog, yLo, yHi);
            }
        }
        applyLimited(n, xLo, yLo, xHi, yHi, mouseAction != maZoomDrag);
    }
    paintSuspended = wasSuspended;
    FullRepaint();
    Fire(OnZoomPan, this);
}

void TCustomRChart::dragObject(int x, int y) {
    if (mouseAction == maDragCrossH) {
        TCrossHair* ch = CrossHair(draggedCrossHair);
        double wx = 0, wy = 0;
        PixelToWorld(ch->Layer(), x, y, wx, wy);
        const TNotifyEvent keep = std::move(ch->OnChange);
        ch->OnChange = nullptr; // one repaint for both coordinates
        ch->SetPosX(wx);
        ch->SetPosY(wy);
        ch->OnChange = keep;
        FullRepaint();
        Fire(OnCrossHairMove, this, ch);
        return;
    }
    if (draggedLabel == 0) {
        return;
    }
    TTextLabel* l = TextLabel(draggedLabel);
    double wx = 0, wy = 0;
    PixelToWorld(l->Layer(), x, y, wx, wy);
    const TTxtLblAttachMode a = l->AttachToData();
    const TNotifyEvent keep = std::move(l->OnChange);
    l->OnChange = nullptr;
    l->SetPosX(a == tlamXOnly || a == tlamBoth ? wx : x);
    l->SetPosY(a == tlamYOnly || a == tlamBoth ? wy : y);
    l->OnChange = keep;
    FullRepaint();
    Fire(OnTextLabelMove, this, l);
}

void TCustomRChart::endRectangle(Qt::MouseButton button) {
    rectActive = false;
    if (button == Qt::RightButton) {
        if (rectDrawn) {
            xorRectangle();
        }
        rectDrawn = false;
        return;
    }
    rectDrawn = false;
    if (rectFixed.x() == rectMoving.x() || rectFixed.y() == rectMoving.y()) {
        return;
    }
    const bool wasSuspended = paintSuspended;
    paintSuspended = true;
    for (int n = 1; n <= MaxLayers; ++n) {
        if (!MouseLayer(n)) {
            continue;
        }
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        PixelToWorld(n, rectFixed.x(), rectFixed.y(), x1, y1);
        PixelToWorld(n, rectMoving.x(), rectMoving.y(), x2, y2);
        if (mouseAction == maZoomWindPos || mouseAction == maRubberBand) {
            // Keep the axes' directions.
            const bool xUp = XAxis(n)->RangeHigh() >= XAxis(n)->RangeLow();
            const bool yUp = YAxis(n)->RangeHigh() >= YAxis(n)->RangeLow();
            if ((x1 > x2) == xUp) {
                std::swap(x1, x2);
            }
            if ((y1 > y2) == yUp) {
                std::swap(y1, y2);
            }
        }
        if (isometric) {
            const double c = (y1 + y2) / 2;
            const double h = (x2 - x1) * (geometry.AreaHeight() + 1) /
                             std::max(geometry.AreaWidth() + 1, 1) * aspectY / aspectX / 2;
            y1 = c - h;
            y2 = c + h;
        }
        if (mouseAction == maRubberBand) {
            Fire(OnRubberBand, this, n, x1, y1, x2, y2);
        } else {
            // Zoom windows are not clipped to the limits.
            const auto limits = zoomLimits;
            zoomLimits = {};
            applyLimited(n, x1, y1, x2, y2, false);
            zoomLimits = limits;
        }
    }
    Fire(OnZoomPan, this);
    paintSuspended = wasSuspended;
    FullRepaint();
}
