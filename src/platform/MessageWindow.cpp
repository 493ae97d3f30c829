#include "platform/MessageWindow.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int HeaderBytes = 12; // kind, sender, record length
constexpr char Accepted = 1;
constexpr char Refused = 0;
constexpr int ProbeTimeoutMs = 1000;
constexpr int CreateAttempts = 16;

void putInt32(QByteArray& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint32_t getUInt32(const QByteArray& in, int at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

std::int32_t asInt32(std::uint32_t value) {
    std::int32_t out;
    std::memcpy(&out, &value, sizeof out);
    return out;
}

QString socketPath(const QString& folder, std::int32_t handle) {
    return folder + QStringLiteral("/w%1").arg(static_cast<std::uint32_t>(handle), 8, 16,
                                               QLatin1Char('0'));
}

QString nameFilePath(const QString& folder, const QString& className, const QString& name) {
    const QByteArray key = className.toUtf8() + '\n' + name.toUtf8();
    return folder + QStringLiteral("/n") +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
}

// Creates `path` 0700 if it is missing; then it must be this user's own real folder that
// nobody else can enter.
bool makePrivateFolder(const QString& path, QString& error) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        error = QStringLiteral("cannot create %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
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

enum class TProbe { Live, Refused, Missing };

TProbe probe(const QString& path) {
    if (!QFile::exists(path))
        return TProbe::Missing;
    QLocalSocket socket;
    socket.connectToServer(path);
    const bool live = socket.state() == QLocalSocket::ConnectedState ||
                      socket.waitForConnected(ProbeTimeoutMs);
    socket.abort();
    return live ? TProbe::Live : TProbe::Refused;
}

} // namespace

// One incoming connection: the frame as it arrives, delivered once it is complete.
class TMessageWindow::TConnection : public QObject {
public:
    TConnection(QLocalSocket* socket, QObject* parent) : QObject(parent), socket(socket) {
        socket->setParent(this);
    }
    QLocalSocket* socket;
    QByteArray frame;
    bool delivered = false;
};

QString TMessageWindow::Folder(QString* error) {
    QString why;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder;
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        folder = runtime + QStringLiteral("/tavimor");
    } else {
        folder = QDir::tempPath() + QStringLiteral("/tavimor-%1").arg(::geteuid());
    }
    if (!makePrivateFolder(folder, why)) {
        if (error)
            *error = why;
        return {};
    }
    return folder;
}

std::unique_ptr<TMessageWindow> TMessageWindow::Create(const QString& className,
                                                       const QString& windowName,
                                                       QString& error) {
    const QString folder = Folder(&error);
    if (folder.isEmpty())
        return nullptr;
    std::unique_ptr<TMessageWindow> window(new TMessageWindow);
    window->server = new QLocalServer(window.get());
    window->server->setSocketOptions(QLocalServer::UserAccessOption);
    for (int attempt = 0; attempt < CreateAttempts && window->handle == 0; ++attempt) {
        const auto candidate =
            static_cast<std::int32_t>(QRandomGenerator::system()->bounded(1u, 0x7FFFFFFFu));
        const QString path = socketPath(folder, candidate);
        const TProbe state = probe(path);
        if (state == TProbe::Live)
            continue; // taken by a running endpoint
        if (state == TProbe::Refused)
            QFile::remove(path); // left behind by a process that ended without closing it
        if (window->server->listen(path))
            window->handle = candidate;
        else
            error = window->server->errorString();
    }
    if (window->handle == 0) {
        if (error.isEmpty())
            error = QStringLiteral("no free endpoint handle in %1").arg(folder);
        return nullptr;
    }
    connect(window->server, &QLocalServer::newConnection, window.get(), &TMessageWindow::accept);

    // The newest endpoint of a class and name is the one found; the file names its handle.
    window->nameFile = nameFilePath(folder, className, windowName);
    QSaveFile file(window->nameFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QByteArray::number(window->handle) + '\n') < 0 || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(window->nameFile, file.errorString());
        return nullptr;
    }
    return window;
}

TMessageWindow::~TMessageWindow() {
    // The name file goes only while it still names this endpoint: a newer one keeps its own.
    QFile file(nameFile);
    if (!nameFile.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const bool ours = file.readAll().trimmed().toLongLong() == handle;
        file.close();
        if (ours)
            QFile::remove(nameFile);
    }
    if (server)
        server->close(); // removes the socket file
}

std::int32_t TMessageWindow::FindMessageWindow(const QString& className,
                                               const QString& windowName) {
    const QString folder = Folder();
    if (folder.isEmpty())
        return 0;
    QFile file(nameFilePath(folder, className, windowName));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const long long value = file.read(32).trimmed().toLongLong(&ok);
    if (!ok || value <= 0 || value > 0x7FFFFFFF)
        return 0;
    const auto handle = static_cast<std::int32_t>(value);
    return Exists(handle) ? handle : 0;
}

bool TMessageWindow::Exists(std::int32_t handle) {
    if (handle == 0)
        return false;
    const QString folder = Folder();
    return !folder.isEmpty() && probe(socketPath(folder, handle)) == TProbe::Live;
}

void TMessageWindow::accept() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        auto* connection = new TConnection(socket, this);
        QPointer<TConnection> guard(connection);
        connect(socket, &QLocalSocket::readyRead, connection, [this, guard] {
            if (guard)
                serve(guard);
        });
        // A frame cut short is dropped with its connection: nothing of it is delivered.
        connect(socket, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        serve(connection);
    }
}

void TMessageWindow::serve(TConnection* connection) {
    if (connection->delivered)
        return;
    connection->frame.append(connection->socket->readAll());
    if (connection->frame.size() < HeaderBytes)
        return;
    const std::uint32_t length = getUInt32(connection->frame, 8);
    if (length > MaxRecordBytes) {
        connection->delivered = true;
        finish(connection, false);
        return;
    }
    if (static_cast<std::uint64_t>(connection->frame.size()) < HeaderBytes + std::uint64_t{length})
        return;

    connection->delivered = true;
    TReceived received;
    received.Kind = asInt32(getUInt32(connection->frame, 0));
    received.Sender = asInt32(getUInt32(connection->frame, 4));
    received.Record = connection->frame.mid(HeaderBytes, static_cast<qsizetype>(length));
    connection->frame.clear();

    // The handler may send messages of its own and so run nested loops; the connection and
    // this endpoint may be gone when it returns.
    QPointer<TConnection> guard(connection);
    const bool accepted = OnReceive ? OnReceive(received) : false;
    if (guard)
        finish(guard, accepted);
}

void TMessageWindow::finish(TConnection* connection, bool accepted) {
    // The connection goes once the acknowledgement has left (on `disconnected`).
    QLocalSocket* socket = connection->socket;
    if (socket->state() != QLocalSocket::ConnectedState) {
        connection->deleteLater();
        return;
    }
    socket->write(accepted ? &Accepted : &Refused, 1);
    socket->flush();
    socket->disconnectFromServer();
}

TMessageWindow::TSendResult TMessageWindow::Send(std::int32_t target, std::int32_t sender,
                                                 std::int32_t kind, const QByteArray& record,
                                                 int timeoutMs) {
    if (target == 0 || static_cast<std::uint64_t>(record.size()) > MaxRecordBytes)
        return TSendResult::NoReceiver;
    const QString folder = Folder();
    if (folder.isEmpty())
        return TSendResult::NoReceiver;

    QByteArray frame;
    frame.reserve(HeaderBytes + record.size());
    putInt32(frame, static_cast<std::uint32_t>(kind));
    putInt32(frame, static_cast<std::uint32_t>(sender));
    putInt32(frame, static_cast<std::uint32_t>(record.size()));
    frame.append(record);

    // The wait is a nested loop and not waitForReadyRead: the receiver may answer with a
    // message to one of our own endpoints before it acknowledges, and that must be served.
    QLocalSocket socket;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool connected = false;
    bool failed = false;
    char answer = -1;
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QLocalSocket::connected, &loop, [&] {
        connected = true;
        socket.write(frame);
    });
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.read(&answer, 1) == 1)
            loop.quit();
    });
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop, [&] {
        failed = true;
        loop.quit();
    });
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, &QEventLoop::quit);

    socket.connectToServer(socketPath(folder, target));
    if (!failed && answer < 0) {
        timer.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (answer < 0 && socket.bytesAvailable() > 0)
        socket.read(&answer, 1);
    socket.abort();
    if (answer == Accepted)
        return TSendResult::Delivered;
    if (answer == Refused)
        return TSendResult::Rejected;
    return connected ? TSendResult::NoAnswer : TSendResult::NoReceiver;
}
