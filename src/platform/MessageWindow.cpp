#include "platform/MessageWindow.h"

#include "platform/RuntimeFolder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int HeaderBytes = 12; // kind, sender, record length
constexpr char Accepted = 1;
constexpr char Refused = 0;
constexpr int ProbeTimeoutMs = 1000;
constexpr int CreateAttempts = 16;
constexpr int WatchIntervalMs = 500;

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

QString nameFilePath(const QString& folder, const QString& className, const QString& name) {
    const QByteArray key = className.toUtf8() + '\n' + name.toUtf8();
    return TRuntimeFolder::FileIn(
        folder, QStringLiteral("n") + QString::fromLatin1(
                                          QCryptographicHash::hash(key, QCryptographicHash::Sha1)
                                              .toHex()));
}

void say(const QString& text) {
    std::fprintf(stderr, "%s: host link: %s\n",
                 qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(text));
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

// Removes a socket file left by a process that ended without closing it, then listens.
bool listenAt(QLocalServer& server, const QString& path) {
    const TProbe state = probe(path);
    if (state == TProbe::Live)
        return false; // a running endpoint owns it
    if (state == TProbe::Refused)
        QFile::remove(path);
    return server.listen(path);
}

} // namespace

// The listening socket. Past the connection limit a new connection is closed before any
// object is made for it.
class TMessageWindow::TListener : public QLocalServer {
public:
    explicit TListener(TMessageWindow* owner) : QLocalServer(owner), window(owner) {}

protected:
    void incomingConnection(quintptr descriptor) override {
        if (window->atCapacity()) {
            ::close(static_cast<int>(descriptor));
            if (!window->refusing)
                say(QStringLiteral("endpoint %1 holds %2 connections; more are closed")
                        .arg(window->handle)
                        .arg(window->limits.Connections));
            window->refusing = true;
            return;
        }
        window->refusing = false;
        QLocalServer::incomingConnection(descriptor);
    }

private:
    TMessageWindow* window;
};

// One incoming connection: the frame as it arrives, delivered once it is complete. It goes
// when it has not delivered its frame within the idle limit.
class TMessageWindow::TConnection : public QObject {
public:
    TConnection(TMessageWindow* owner, QLocalSocket* s) : QObject(owner), window(owner), socket(s) {
        socket->setParent(this);
        window->connections.insert(this);
        idle.setSingleShot(true);
        idle.callOnTimeout(this, [this] {
            if (!delivered)
                window->drop(this);
        });
        idle.start(window->limits.IdleMs);
    }
    ~TConnection() override {
        window->unfinishedBytes -= frame.size();
        window->connections.erase(this);
    }
    TMessageWindow* window;
    QLocalSocket* socket;
    QByteArray frame;
    QTimer idle;
    bool delivered = false;
};

QString TMessageWindow::Folder(QString* error) {
    return TRuntimeFolder::Path(error);
}

QString TMessageWindow::SocketPath(const QString& folder, std::int32_t handle) {
    return TRuntimeFolder::FileIn(
        folder, QStringLiteral("w%1").arg(static_cast<std::uint32_t>(handle), 8, 16,
                                         QLatin1Char('0')));
}

std::unique_ptr<TMessageWindow> TMessageWindow::Open(QString& error) {
    const QString folder = Folder(&error);
    if (folder.isEmpty())
        return nullptr;
    std::unique_ptr<TMessageWindow> window(new TMessageWindow);
    window->server = new TListener(window.get());
    window->server->setSocketOptions(QLocalServer::UserAccessOption);
    for (int attempt = 0; attempt < CreateAttempts && window->handle == 0; ++attempt) {
        const auto candidate =
            static_cast<std::int32_t>(QRandomGenerator::system()->bounded(1u, 0x7FFFFFFFu));
        const QString path = SocketPath(folder, candidate);
        if (listenAt(*window->server, path)) {
            window->handle = candidate;
            window->socketPath = path;
        } else if (window->server->serverError() != QAbstractSocket::UnknownSocketError) {
            error = window->server->errorString();
        }
    }
    if (window->handle == 0) {
        if (error.isEmpty())
            error = QStringLiteral("no free endpoint handle in %1").arg(folder);
        return nullptr;
    }
    TMessageWindow* self = window.get();
    connect(window->server, &QLocalServer::newConnection, self, [self] { self->accept(); });
    // The listening socket closes itself when an accept fails (out of descriptors); it is
    // watched and opened again.
    window->watchdog = new QTimer(self);
    window->watchdog->callOnTimeout(self, [self] { self->watchListening(); });
    window->watchdog->start(WatchIntervalMs);
    return window;
}

std::unique_ptr<TMessageWindow> TMessageWindow::Create(const QString& className,
                                                       const QString& windowName,
                                                       QString& error) {
    std::unique_ptr<TMessageWindow> window = Open(error);
    if (window && !window->Publish(className, windowName, error))
        return nullptr;
    return window;
}

bool TMessageWindow::Publish(const QString& className, const QString& windowName,
                             QString& error) {
    const QString folder = Folder(&error);
    if (folder.isEmpty())
        return false;
    // The newest endpoint of a class and name is the one found; the file names its handle.
    // It appears whole: a finished file is renamed over it. It is not synced to the disk, for
    // the runtime folder does not outlive the session, and where that folder lies on a disk
    // the wait would hold up the program's start by milliseconds.
    nameFile = nameFilePath(folder, className, windowName);
    QTemporaryFile file(nameFile + QStringLiteral(".XXXXXX"));
    const QByteArray text = QByteArray::number(handle) + '\n';
    QString why;
    if (!file.open() || file.write(text) != text.size() || !file.flush()) {
        why = file.errorString();
    } else if (std::rename(QFile::encodeName(file.fileName()).constData(),
                           QFile::encodeName(nameFile).constData()) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
    } else {
        file.setAutoRemove(false); // it is the name file now
        return true;
    }
    error = QStringLiteral("cannot write %1: %2").arg(nameFile, why);
    nameFile.clear();
    return false;
}

TMessageWindow::~TMessageWindow() {
    // The name file goes only while it still names this endpoint: a newer one keeps its own.
    QFile file(nameFile);
    if (!nameFile.isEmpty() && file.open(QIODevice::ReadOnly)) {
        const bool ours = file.read(32).trimmed().toLongLong() == handle;
        file.close();
        if (ours)
            QFile::remove(nameFile);
    }
    // Connections refer to this endpoint; they go before it.
    while (!connections.empty())
        delete *connections.begin();
    if (server)
        server->close(); // removes the socket file
}

void TMessageWindow::watchListening() {
    if (server->isListening())
        return;
    if (!stopped)
        say(QStringLiteral("endpoint %1 stopped listening (%2); it listens again")
                .arg(handle)
                .arg(server->errorString()));
    stopped = true;
    if (listenAt(*server, socketPath)) {
        stopped = false;
        say(QStringLiteral("endpoint %1 listens again").arg(handle));
    }
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
    return !folder.isEmpty() && probe(SocketPath(folder, handle)) == TProbe::Live;
}

void TMessageWindow::accept() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        auto* connection = new TConnection(this, socket);
        QPointer<TConnection> guard(connection);
        connect(socket, &QLocalSocket::readyRead, connection, [this, guard] {
            if (guard)
                serve(guard);
        });
        // A frame cut short is dropped with its connection: nothing of it is delivered.
        connect(socket, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        serve(connection);
    }
    watchListening();
}

void TMessageWindow::drop(TConnection* connection) {
    connection->delivered = true;
    connection->idle.stop();
    unfinishedBytes -= connection->frame.size();
    connection->frame.clear();
    connection->socket->abort();
    connection->deleteLater();
}

void TMessageWindow::serve(TConnection* connection) {
    if (connection->delivered)
        return;
    const QByteArray arrived = connection->socket->readAll();
    connection->frame.append(arrived);
    unfinishedBytes += arrived.size();
    if (unfinishedBytes > limits.UnfinishedBytes) {
        say(QStringLiteral("endpoint %1 holds more than %2 bytes of unfinished frames; a "
                           "connection is closed")
                .arg(handle)
                .arg(limits.UnfinishedBytes));
        drop(connection);
        return;
    }
    if (connection->frame.size() < HeaderBytes)
        return;
    const std::uint32_t length = getUInt32(connection->frame, 8);
    if (length > MaxRecordBytes) {
        connection->delivered = true;
        connection->idle.stop();
        finish(connection, false);
        return;
    }
    if (static_cast<std::uint64_t>(connection->frame.size()) < HeaderBytes + std::uint64_t{length})
        return;

    connection->delivered = true;
    connection->idle.stop();
    TReceived received;
    received.Kind = asInt32(getUInt32(connection->frame, 0));
    received.Sender = asInt32(getUInt32(connection->frame, 4));
    received.Record = connection->frame.mid(HeaderBytes, static_cast<qsizetype>(length));
    unfinishedBytes -= connection->frame.size();
    connection->frame = QByteArray();

    // The handler may send messages of its own and so run nested loops; the connection and
    // this endpoint may be gone when it returns.
    QPointer<TConnection> guard(connection);
    const TReceiveHandler handler = OnReceive;
    const bool accepted = handler ? handler(received) : false;
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

    socket.connectToServer(SocketPath(folder, target));
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

namespace {

class TLocalSocketTransport : public TMessageTransport {
public:
    std::unique_ptr<TMessageEndpoint> Open(QString& error) override {
        return TMessageWindow::Open(error);
    }
    std::int32_t Find(const QString& className, const QString& windowName) override {
        return TMessageWindow::FindMessageWindow(className, windowName);
    }
    bool Exists(std::int32_t handle) override { return TMessageWindow::Exists(handle); }
    TSendResult Send(std::int32_t target, std::int32_t sender, std::int32_t kind,
                     const QByteArray& record, int timeoutMs) override {
        return TMessageWindow::Send(target, sender, kind, record, timeoutMs);
    }
};

} // namespace

TMessageTransport& TMessageTransport::LocalSockets() {
    static TLocalSocketTransport transport;
    return transport;
}
