#pragma once
// TMessageWindow, an endpoint that other processes of the same user can send records to: a
// 32-bit handle, a local socket in the runtime folder, and, under a class and a name, a name
// file by which FindMessageWindow finds it. It stands in for a hidden window that receives
// copy-data messages; docs/hostlink.md describes the files, the frames and the limits.
//
// No peer can exhaust it: it holds at most MaxConnections connections at once (more are
// closed at once), closes a connection that has not delivered a whole frame within
// IdleLimitMs, holds at most MaxUnfinishedBytes for frames not yet complete (the connection
// that goes past it is closed), and listens again on the same handle when its listening
// socket stops.

#include "platform/MessageTransport.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <set>

class QLocalServer;
class QTimer;

class TMessageWindow : public TMessageEndpoint {
    Q_OBJECT
public:
    static constexpr int MaxConnections = 64;
    static constexpr int IdleLimitMs = SendTimeoutMs;
    static constexpr qint64 MaxUnfinishedBytes = qint64{MaxRecordBytes} + 16 * 1024 * 1024;

    // The limits one endpoint keeps; tests lower them.
    struct TLimits {
        int Connections = MaxConnections;
        int IdleMs = IdleLimitMs;
        qint64 UnfinishedBytes = MaxUnfinishedBytes;
    };

    // An endpoint published under the class and name; null, with `error` saying why, when
    // none can be opened.
    static std::unique_ptr<TMessageWindow> Create(const QString& className,
                                                  const QString& windowName, QString& error);
    // An endpoint not yet published.
    static std::unique_ptr<TMessageWindow> Open(QString& error);
    ~TMessageWindow() override;

    bool Publish(const QString& className, const QString& windowName, QString& error) override;
    void SetLimits(const TLimits& value) { limits = value; }
    // Connections held now, and bytes held for their unfinished frames.
    int ConnectionCount() const { return static_cast<int>(connections.size()); }
    qint64 UnfinishedBytes() const { return unfinishedBytes; }

    // The user's private folder of endpoints and locks (TRuntimeFolder).
    static QString Folder(QString* error = nullptr);
    // The handle of a live endpoint registered under the class and name, or 0.
    static std::int32_t FindMessageWindow(const QString& className, const QString& windowName);
    // Whether an endpoint of that handle accepts connections now.
    static bool Exists(std::int32_t handle);
    // Delivers a record and waits, serving this process's own endpoints meanwhile, until the
    // receiver has handled it or `timeoutMs` has passed.
    static TSendResult Send(std::int32_t target, std::int32_t sender, std::int32_t kind,
                            const QByteArray& record, int timeoutMs = SendTimeoutMs);
    // The socket file of a handle in a folder.
    static QString SocketPath(const QString& folder, std::int32_t handle);

private:
    class TConnection;
    class TListener;
    TMessageWindow() = default;
    bool atCapacity() const { return ConnectionCount() >= limits.Connections; }
    void accept();
    void serve(TConnection* connection);
    void drop(TConnection* connection);
    void watchListening();
    static void finish(TConnection* connection, bool accepted);

    QString socketPath;
    QString nameFile;
    TListener* server = nullptr;
    QTimer* watchdog = nullptr;
    TLimits limits;
    std::set<TConnection*> connections;
    qint64 unfinishedBytes = 0;
    bool refusing = false;
    bool stopped = false;
};
