#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates `path` 0700 if it is missing; then it must be this user's own real folder that
// nobody else can enter.
bool makePrivateFolder(const QString& path, QString& error) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        error = QStringLiteral("cannot create %1: %2")
                    .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) {
        error = QStringLiteral("%1 is not a folder private to this user").arg(path);
        return false;
    }
    return true;
}

} // namespace

QString TRuntimeFolder::Path(QString* error) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QDir(runtime).exists()
                               ? runtime + QStringLiteral("/tavimor")
                               : QDir::tempPath() + QStringLiteral("/tavimor-%1").arg(::geteuid());
    QString why;
    if (!makePrivateFolder(folder, why)) {
        if (error)
            *error = why;
        return {};
    }
    return folder;
}

QString TRuntimeFolder::FileIn(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}
