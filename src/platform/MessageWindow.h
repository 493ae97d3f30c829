#pragma once
// TMessageWindow, an endpoint that other processes of the same user can send records to: a
// 32-bit handle, a local socket in a folder only this user can enter, and, under a class and
// a name, a name file by which FindMessageWindow finds it. It stands in for a hidden window
// that receives copy-data messages; docs/hostlink.md describes the files and the frames.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

class TMessageWindow : public QObject {
    Q_OBJECT
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

    // Null, with `error` saying why, when no endpoint can be opened.
    static std::unique_ptr<TMessageWindow> Create(const QString& className,
                                                  const QString& windowName, QString& error);
    ~TMessageWindow() override;

    std::int32_t Handle() const { return handle; }
    TReceiveHandler OnReceive;

    // The user's private folder of endpoints and locks, created 0700 on first use; empty,
    // with `error` set, when it cannot be made or is not private to this user.
    static QString Folder(QString* error = nullptr);
    // The handle of a live endpoint registered under the class and name, or 0.
    static std::int32_t FindMessageWindow(const QString& className, const QString& windowName);
    // Whether an endpoint of that handle accepts connections now.
    static bool Exists(std::int32_t handle);
    // Delivers a record and waits, serving this process's own endpoints meanwhile, until the
    // receiver has handled it or `timeoutMs` has passed.
    static TSendResult Send(std::int32_t target, std::int32_t sender, std::int32_t kind,
                            const QByteArray& record, int timeoutMs = SendTimeoutMs);

private:
    class TConnection;
    TMessageWindow() = default;
    void accept();
    void serve(TConnection* connection);
    static void finish(TConnection* connection, bool accepted);

    std::int32_t handle = 0;
    QString nameFile;
    QLocalServer* server = nullptr;
};
