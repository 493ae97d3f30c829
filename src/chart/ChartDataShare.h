#pragma once
// A chart's place in a data-sharing group: the display list it shows, which is its own or
// its owner's, the owner, and the charts that show its own list (at most four). Plain C++;
// the holder is only handed back, never called.

#include "chart/DisplayList.h"

#include <memory>
#include <vector>

class TCustomRChart;

class TChartDataShare {
public:
    static constexpr int MaxSharers = 4;
    enum class TUseResult {
        Done,       // the list shown changed
        Unchanged,  // that list is shown already
        Self,       // a chart cannot show its own list as another's
        HasSharers, // others show this chart's list, so it keeps it
        Full        // the owner has as many sharers as it may
    };

    explicit TChartDataShare(TCustomRChart* holder);
    // Leaves the owner; the charts that showed this list get an empty one of their own.
    ~TChartDataShare();
    TChartDataShare(const TChartDataShare&) = delete;
    TChartDataShare& operator=(const TChartDataShare&) = delete;

    TDisplayList& List() const { return *list; }
    // The chart whose list this one shows, or none.
    TCustomRChart* Owner() const { return owner != nullptr ? owner->holder : nullptr; }
    // Shows the list of `other` (of its owner where it shows another's), or with none a new
    // empty list of its own.
    TUseResult UseDataOf(TChartDataShare* other);
    // The charts that show what this one's list holds: the owner and its sharers (this one
    // among them), and this chart with its own sharers. Empty for a chart without partners.
    std::vector<TCustomRChart*> Group() const;

private:
    void leaveOwner();

    TCustomRChart* holder;
    std::shared_ptr<TDisplayList> list;
    TChartDataShare* owner = nullptr;
    std::vector<TChartDataShare*> sharers;
};
