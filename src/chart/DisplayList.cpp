#include "chart/DisplayList.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

void TDisplayList::SetAllocSize(std::int32_t value) {
    if (value >= 1 && value <= 1000000) {
        allocSize = value;
    }
}

void TDisplayList::Add(const TDrawItem& item) {
    if (count >= capacity) {
        // Bounded: a list cannot hold more items than a 32-bit count.
        if (capacity > std::numeric_limits<std::int32_t>::max() - allocSize) {
            return;
        }
        capacity += allocSize;
        // Storage for the step is taken at once but written only as items come, so a step
        // that is never filled costs no memory the system has to provide.
        if (items.capacity() < static_cast<std::size_t>(capacity)) {
            items.reserve(static_cast<std::size_t>(capacity));
        }
    }
    items.push_back(item);
    ++count;
}

void TDisplayList::Clear() {
    const std::size_t keep = static_cast<std::size_t>(std::max(capacity, allocSize));
    if (items.capacity() > keep) {
        std::vector<TDrawItem> smaller;
        smaller.reserve(keep);
        items.swap(smaller);
    }
    items.clear();
    count = 0;
    capacity = 0;
}

bool TDisplayList::Get(std::int32_t index, TDrawItem& item) const {
    if (index < 0 || index >= count) {
        return false;
    }
    item = items[static_cast<std::size_t>(index)];
    return true;
}

std::int32_t TDisplayList::FindNearest(double px, double py, std::uint8_t kindFilter,
                                       std::uint8_t classFilter, const TMapToPixel& map,
                                       double& distance) const {
    double best = 1.7e308;
    std::int32_t result = -1;
    if (kindFilter != 0) {
        for (std::int32_t i = 0; i < count; ++i) {
            const TDrawItem& it = items[static_cast<std::size_t>(i)];
            const bool kindOk = (kindFilter == dkAnyButMoveTo && it.Kind != dkMoveTo) ||
                                kindFilter == dkAny || kindFilter == it.Kind;
            if (!kindOk || !(classFilter == 255 || classFilter == it.ColorClass)) {
                continue;
            }
            double qx = 0, qy = 0;
            map(it.X1, it.Y1, qx, qy);
            const double d = (qx - px) * (qx - px) + (qy - py) * (qy - py);
            if (d < best) {
                best = d;
                result = i;
            }
        }
    }
    distance = std::sqrt(best);
    return result;
}
