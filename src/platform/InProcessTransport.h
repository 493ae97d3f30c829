#pragma once
// TInProcessTransport, the host link's transport within one process: endpoints are objects,
// a send calls the receiver's handler directly and returns once it has returned, so a reply
// sent from the handler arrives before the send returns, as with local sockets. The
// transport must outlive its endpoints.

#include "platform/MessageTransport.h"

#include <map>

class TInProcessTransport : public TMessageTransport {
public:
    TInProcessTransport() = default;
    ~TInProcessTransport() override;
    TInProcessTransport(const TInProcessTransport&) = delete;
    TInProcessTransport& operator=(const TInProcessTransport&) = delete;

    std::unique_ptr<TMessageEndpoint> Open(QString& error) override;
    std::int32_t Find(const QString& className, const QString& windowName) override;
    bool Exists(std::int32_t handle) override;
    TSendResult Send(std::int32_t target, std::int32_t sender, std::int32_t kind,
                     const QByteArray& record,
                     int timeoutMs = TMessageEndpoint::SendTimeoutMs) override;

private:
    class TEndpoint;
    std::map<std::int32_t, TEndpoint*> endpoints;
    std::map<QString, std::int32_t> names;
    std::int32_t lastHandle = 0;
};
