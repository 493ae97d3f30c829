#pragma once
// A chart's display list: the items in drawing order, grown in steps of AllocSize entries,
// and the search for the item nearest to a point. Plain C++; the charts of a data-sharing
// group hold one list between them. A chart is cleared and filled again at every pointer
// move, so a clear keeps the storage the items had for the next fill.

#include "chart/DrawItem.h"

#include <cstdint>
#include <functional>
#include <vector>

class TDisplayList {
public:
    using TMapToPixel = std::function<void(double x, double y, double& px, double& py)>;

    std::int32_t Count() const { return count; }
    // How far the list has grown since it was last cleared, in steps of AllocSize: 0 when
    // empty, then AllocSize, twice that, and so on.
    std::int32_t ItemCapacity() const { return capacity; }
    // The entries of storage the list holds, in use or kept from before a clear.
    std::int32_t StoredItems() const { return static_cast<std::int32_t>(items.capacity()); }
    std::int32_t AllocSize() const { return allocSize; }
    // Values 1..1000000 are taken; others are ignored.
    void SetAllocSize(std::int32_t value);

    void Add(const TDrawItem& item);
    // Empties the list. The storage of the items it held (their ItemCapacity, at least one
    // AllocSize step) is kept for the next fill; anything beyond, from an earlier, larger
    // fill, is given back. So a list that is filled alike again and again allocates nothing,
    // and it never keeps more than the larger of its last two fills took.
    void Clear();
    // The item at index (0..Count-1), or false and nothing changed.
    bool Get(std::int32_t index, TDrawItem& item) const;
    const TDrawItem& operator[](std::int32_t index) const {
        return items[static_cast<std::size_t>(index)];
    }

    // The index of the qualifying item whose first point lies nearest to (px, py) in pixels
    // (the earlier one of equal distances), or -1; `distance` gets the pixel distance.
    std::int32_t FindNearest(double px, double py, std::uint8_t kindFilter,
                             std::uint8_t classFilter, const TMapToPixel& map,
                             double& distance) const;

private:
    std::vector<TDrawItem> items;
    std::int32_t count = 0;
    std::int32_t capacity = 0;
    std::int32_t allocSize = 1000;
};
