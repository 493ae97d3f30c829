#pragma once
// TInstanceLock, a named lock shared by all processes of this user: a file in the runtime
// folder (TRuntimeFolder) held with flock. The system frees it when the holding process ends, even
// when it is killed, so a crashed instance never blocks the next start.

#include <QString>

#include <cstdint>
#include <memory>

class TInstanceLock {
public:
    enum class TState { Acquired, HeldElsewhere, Failed };

    // Tries once, without waiting. `error` says why on Failed.
    static std::unique_ptr<TInstanceLock> TryAcquire(const QString& name, TState& state,
                                                     QString& error);
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    // Non-zero while held.
    std::int32_t Handle() const { return fd; }
    // The lock file of a name: characters other than letters, digits, '.', '_' and '-'
    // become '_'.
    static QString PathOf(const QString& folder, const QString& name);

private:
    explicit TInstanceLock(int fd) : fd(fd) {}
    int fd;
};
