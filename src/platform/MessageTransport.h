#pragma once
// The transport of the host link, behind a small interface: open an endpoint, publish it
// under a class and a name, find one by class and name, test that one exists, send it a
// record and receive records. TMessageWindow (local sockets, between processes) is the
// program's; TInProcessTransport keeps every endpoint in one process, for tests.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// One endpoint: a 32-bit handle that others send records to.
class TMessageEndpoint : public QObject {
public:
    // One delivered record: the copy-data kind, the sender's handle and the record bytes.
    struct TReceived {
        std::int32_t Kind = 0;
        std::int32_t Sender = 0;
        QByteArray Record;
    };
    // Returns whether the record was accepted; the sender learns it from the acknowledgement.
    using TReceiveHandler = std::function<bool(const TReceived&)>;

    enum class TSendResult { Delivered, Rejected, NoReceiver, NoAnswer };

    // Records beyond this size are refused by both sides.
    static constexpr std::uint32_t MaxRecordBytes = 64u * 1024u * 1024u + 8u;
    // How long a send waits for the receiver to handle the record.
    static constexpr int SendTimeoutMs = 10000;

    std::int32_t Handle() const { return handle; }
    TReceiveHandler OnReceive;

    // Registers the endpoint under a class and a name, so that a look-up finds it; the newest
    // endpoint of a class and name wins. False, with `error` set, when that fails.
    virtual bool Publish(const QString& className, const QString& windowName,
                         QString& error) = 0;

protected:
    TMessageEndpoint() = default;
    std::int32_t handle = 0;
};

class TMessageTransport {
public:
    using TSendResult = TMessageEndpoint::TSendResult;

    virtual ~TMessageTransport() = default;
    // A new endpoint, not yet published; null, with `error` saying why, when none can be had.
    virtual std::unique_ptr<TMessageEndpoint> Open(QString& error) = 0;
    // The handle of a live endpoint published under the class and name, or 0.
    virtual std::int32_t Find(const QString& className, const QString& windowName) = 0;
    // Whether an endpoint of that handle takes records now.
    virtual bool Exists(std::int32_t handle) = 0;
    // Delivers a record and waits, serving this process's own endpoints meanwhile, until the
    // receiver has handled it or `timeoutMs` has passed.
    virtual TSendResult Send(std::int32_t target, std::int32_t sender, std::int32_t kind,
                             const QByteArray& record,
                             int timeoutMs = TMessageEndpoint::SendTimeoutMs) = 0;

    // The program's transport: local sockets in the runtime folder.
    static TMessageTransport& LocalSockets();

protected:
    TMessageTransport() = default;
    TMessageTransport(const TMessageTransport&) = default;
    TMessageTransport& operator=(const TMessageTransport&) = default;
};
