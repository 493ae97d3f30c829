#include "numerics/SortArray.h"

#include "numerics/Conversions.h"


std::uint32_t SortPassCounter = 0;
TSortPassHook SortPassHook = nullptr;

namespace {

// The direction is a template argument and the exchange a pair of selects, so the inner loop
// has no data-dependent branch to mispredict on random samples.
template <typename T, bool Ascending> void combSort(T* a, std::int32_t n) {
    std::int32_t gap = n;
    bool swapped = true;
    // Each pass either shrinks the gap or, at gap 1, is followed by another only after an
    // exchange; a pass that exchanges nothing at gap 1 ends the sort, so the loop terminates.
    while (gap != 1 || swapped) {
        gap = CheckedInt32(static_cast<long double>(gap) / 1.3L);
        if (gap == 0) {
            gap = 1;
        }
        swapped = false;
        for (std::int32_t i = 0; i < n - gap; ++i) {
            const T left = a[i];
            const T right = a[i + gap];
            const bool exchange = Ascending ? (left > right) : (left < right);
            a[i] = exchange ? right : left;
            a[i + gap] = exchange ? left : right;
            swapped = swapped || exchange;
        }
        ++SortPassCounter;
        if (SortPassHook != nullptr) {
            SortPassHook(static_cast<std::int32_t>(SortPassCounter));
        }
    }
}

template <typename T> void combSort(T* a, std::int32_t n, bool ascending) {
    if (ascending) {
        combSort<T, true>(a, n);
    } else {
        combSort<T, false>(a, n);
    }
}

} // namespace

void SortArray(void* array, std::int32_t n, SortElementKind kind, bool ascending) {
    if (n < 2 || array == nullptr) {
        return;
    }
    switch (kind) {
    case 0:
    case 1:
        combSort(static_cast<double*>(array), n, ascending);
        break;
    case 2:
        combSort(static_cast<float*>(array), n, ascending);
        break;
    case 3:
    case 4:
        combSort(static_cast<std::int32_t*>(array), n, ascending);
        break;
    default:
        break;
    }
}
