#include "platform/Cursors.h"

#include "platform/Glyph.h"

#include <QGuiApplication>
#include <QMap>
#include <QPixmap>

// The cursor images live in a static library; their resource must be brought in by hand.
static void initCursorResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(cursors);
        return true;
    }();
    (void)done;
}

namespace {
QMap<int, QCursor>& registry() {
    static QMap<int, QCursor> cursors;
    return cursors;
}

// The image each registered cursor was made from: every chart registers the same ones.
QMap<int, QString>& registeredNames() {
    static QMap<int, QString> names;
    return names;
}
} // namespace

void RegisterCursor(int number, const QString& name) {
    if (registry().contains(number) && registeredNames().value(number) == name)
        return;
    initCursorResources();
    const QPixmap image = QPixmap::fromImage(ReadXpm(QStringLiteral(":/cursors/") + name));
    registry().insert(number, image.isNull() ? QCursor(Qt::ArrowCursor) : QCursor(image, 5, 1));
    registeredNames().insert(number, name);
}

QCursor ApplicationCursor(int number) {
    return registry().value(number, QCursor(Qt::ArrowCursor));
}

void SetApplicationCursor(const QCursor& cursor) {
    // One cursor for the application, changed in place rather than stacked.
    if (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
    }
}
