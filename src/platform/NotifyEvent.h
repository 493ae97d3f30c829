#pragma once
// The plain event of every component: a callback that takes its sender. An unassigned
// callback is an empty std::function and is simply not called; Fire is the one place that
// makes that check.

#include <functional>
#include <utility>

class QObject;

using TNotifyEvent = std::function<void(QObject* sender)>;

// Fires a callback when one is assigned.
template <typename Event, typename... Args> void Fire(const Event& event, Args&&... args) {
    if (event) {
        event(std::forward<Args>(args)...);
    }
}
