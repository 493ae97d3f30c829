#include "chart/ChartDataShare.h"

#include <algorithm>

TChartDataShare::TChartDataShare(TCustomRChart* chart)
    : holder(chart), list(std::make_shared<TDisplayList>()) {}

TChartDataShare::~TChartDataShare() {
    leaveOwner();
    for (TChartDataShare* sharer : sharers) {
        sharer->owner = nullptr;
        sharer->list = std::make_shared<TDisplayList>();
    }
}

void TChartDataShare::leaveOwner() {
    if (owner != nullptr) {
        auto& s = owner->sharers;
        s.erase(std::remove(s.begin(), s.end(), this), s.end());
    }
}

TChartDataShare::TUseResult TChartDataShare::UseDataOf(TChartDataShare* other) {
    if (other == this) {
        return TUseResult::Self;
    }
    if (!sharers.empty()) {
        return TUseResult::HasSharers;
    }
    if (other == owner) {
        return TUseResult::Unchanged;
    }
    if (other != nullptr) {
        TChartDataShare* newOwner = other->owner != nullptr ? other->owner : other;
        if (newOwner == this || newOwner == owner) {
            return TUseResult::Unchanged;
        }
        if (static_cast<int>(newOwner->sharers.size()) >= MaxSharers) {
            return TUseResult::Full;
        }
        leaveOwner();
        owner = newOwner;
        list = newOwner->list;
        newOwner->sharers.push_back(this);
    } else {
        leaveOwner();
        owner = nullptr;
        list = std::make_shared<TDisplayList>();
    }
    return TUseResult::Done;
}

std::vector<TCustomRChart*> TChartDataShare::Group() const {
    std::vector<TCustomRChart*> group;
    if (owner != nullptr) {
        group.push_back(owner->holder);
        for (const TChartDataShare* s : owner->sharers) {
            group.push_back(s->holder);
        }
    }
    if (!sharers.empty()) {
        group.push_back(holder);
        for (const TChartDataShare* s : sharers) {
            group.push_back(s->holder);
        }
    }
    return group;
}
