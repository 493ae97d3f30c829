#include "chart/ChartDamage.h"

#include "numerics/Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The renderer keeps every position within +-30000 pixels.
std::int32_t clamp30000(std::int32_t v) { return std::clamp(v, -30000, 30000); }

struct TEnds {
    std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

TEnds ends(const TDrawItem& it, const TChartTransform& t) {
    TEnds e;
    t.WorldToPixel(it.Layer, it.X1, it.Y1, e.X1, e.Y1);
    t.WorldToPixel(it.Layer, it.X2, it.Y2, e.X2, e.Y2);
    e.X1 = clamp30000(e.X1);
    e.Y1 = clamp30000(e.Y1);
    e.X2 = clamp30000(e.X2);
    e.Y2 = clamp30000(e.Y2);
    return e;
}

// The slant of a bar's depth, as the renderer rounds it.
void slant(const TDrawItem& it, std::int32_t& gx, std::int32_t& gy) {
    const long double rad = it.Angle * 3.14159265358979323846L / 180;
    gx = RoundInt32(std::cos(rad) * it.Depth);
    gy = -RoundInt32(std::sin(rad) * it.Depth);
}

bool inside(const TPixelRect& r, std::int32_t x, std::int32_t y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

void TPixelRect::Unite(const TPixelRect& r) {
    if (r.Empty()) {
        return;
    }
    if (Empty()) {
        *this = r;
        return;
    }
    Left = std::min(Left, r.Left);
    Top = std::min(Top, r.Top);
    Right = std::max(Right, r.Right);
    Bottom = std::max(Bottom, r.Bottom);
}

void TChartDamage::Invalidate() {
    valid = false;
}

bool TChartDamage::Local(const TDrawItem& it, const TChartTransform& t, const TPixelRect& area) {
    // Pen styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear, 6 inside frame.
    const bool solid = it.PenStyle == 0 || it.PenStyle == 6;
    if (it.LineWidth > 1) {
        return false;
    }
    const TEnds e = ends(it, t);
    const std::int32_t dx = e.X2 - e.X1;
    const std::int32_t dy = e.Y2 - e.Y1;
    switch (it.Kind) {
    case dkLine:
        if (it.PenStyle == 5) {
            return true;
        }
        if (it.PenStyle == 2) {
            return (dx == 0 || dy == 0) && inside(area, e.X1, e.Y1) && inside(area, e.X2, e.Y2);
        }
        return solid && (dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy));
    case dkRect:
        return solid || it.PenStyle == 5;
    case dkBar3D: {
        std::int32_t gx = 0, gy = 0;
        slant(it, gx, gy);
        return solid && (gx == 0 || gy == 0 || std::abs(gx) == std::abs(gy));
    }
    default:
        return true; // drawn as nothing
    }
}

TPixelRect TChartDamage::Bounds(const TDrawItem& it, const TChartTransform& t) {
    if (it.Kind != dkLine && it.Kind != dkRect && it.Kind != dkBar3D) {
        return {};
    }
    const TEnds e = ends(it, t);
    // A pen's width, a rectangle's extra corner pixel and a bar's depth reach beyond the ends.
    const std::int32_t reach = std::max(it.LineWidth, 1) + 1 +
                               (it.Kind == dkBar3D ? std::clamp(std::abs(it.Depth), 0, 30000) : 0);
    return {std::min(e.X1, e.X2) - reach, std::min(e.Y1, e.Y2) - reach,
            std::max(e.X1, e.X2) + reach + 1, std::max(e.Y1, e.Y2) + reach + 1};
}

std::optional<TPixelRect> TChartDamage::Next(const TDisplayList& items,
                                             const TChartTransform& transform,
                                             const TPixelRect& area) {
    const bool wasValid = valid && allLocal;
    const std::vector<TDrawItem> before = std::move(drawn);
    drawn.assign(items.Count() > 0 ? &items[0] : nullptr,
                 items.Count() > 0 ? &items[0] + items.Count() : nullptr);
    valid = true;
    auto wholeArea = [&] {
        allLocal = std::all_of(drawn.begin(), drawn.end(), [&](const TDrawItem& it) {
            return Local(it, transform, area);
        });
        return std::nullopt;
    };
    if (!wasValid) {
        return wholeArea();
    }
    // The items that stayed were local when they were drawn and still are: only the
    // changed ones are looked at.
    TPixelRect damage;
    const std::size_t n = std::max(before.size(), drawn.size());
    for (std::size_t i = 0; i < n; ++i) {
        const bool old = i < before.size();
        const bool now = i < drawn.size();
        if (old && now && before[i] == drawn[i]) {
            continue;
        }
        if (now && !Local(drawn[i], transform, area)) {
            return wholeArea();
        }
        if (old) {
            damage.Unite(Bounds(before[i], transform));
        }
        if (now) {
            damage.Unite(Bounds(drawn[i], transform));
        }
    }
    return damage;
}
