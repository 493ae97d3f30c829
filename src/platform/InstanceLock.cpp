#include "platform/InstanceLock.h"

#include "platform/RuntimeFolder.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString TInstanceLock::PathOf(const QString& folder, const QString& name) {
    QString safe = name;
    for (QChar& c : safe) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('.') || c == QLatin1Char('_') || c == QLatin1Char('-');
        if (!plain)
            c = QLatin1Char('_');
    }
    return TRuntimeFolder::FileIn(folder, QStringLiteral("lock-") + safe);
}

std::unique_ptr<TInstanceLock> TInstanceLock::TryAcquire(const QString& name, TState& state,
                                                         QString& error) {
    state = TState::Failed;
    const QString folder = TRuntimeFolder::Path(&error);
    if (folder.isEmpty())
        return nullptr;
    const QByteArray path = QFile::encodeName(PathOf(folder, name));
    // Close-on-exec: a program this instance starts must not inherit the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error = QStringLiteral("cannot open %1: %2")
                    .arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    int result = -1;
    for (int attempt = 0; attempt < 8; ++attempt) { // only interruptions are tried again
        result = ::flock(fd, LOCK_EX | LOCK_NB);
        if (result == 0 || errno != EINTR)
            break;
    }
    if (result != 0) {
        const int why = errno;
        ::close(fd);
        if (why == EWOULDBLOCK) {
            state = TState::HeldElsewhere;
            return nullptr;
        }
        error = QStringLiteral("cannot lock %1: %2")
                    .arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(why)));
        return nullptr;
    }
    state = TState::Acquired;
    return std::unique_ptr<TInstanceLock>(new TInstanceLock(fd));
}

TInstanceLock::~TInstanceLock() {
    ::close(fd); // frees the lock
}
