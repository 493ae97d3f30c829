#include "platform/InProcessTransport.h"

class TInProcessTransport::TEndpoint : public TMessageEndpoint {
public:
    TEndpoint(TInProcessTransport& owner, std::int32_t value) : transport(owner) {
        handle = value;
    }
    ~TEndpoint() override {
        transport.endpoints.erase(handle);
        for (auto it = transport.names.begin(); it != transport.names.end();)
            it = it->second == handle ? transport.names.erase(it) : std::next(it);
    }
    bool Publish(const QString& className, const QString& windowName, QString&) override {
        transport.names[className + QLatin1Char('\n') + windowName] = handle;
        return true;
    }

private:
    TInProcessTransport& transport;
};

TInProcessTransport::~TInProcessTransport() = default;

std::unique_ptr<TMessageEndpoint> TInProcessTransport::Open(QString& error) {
    if (lastHandle == 0x7FFFFFFE) {
        error = QStringLiteral("no free endpoint handle");
        return nullptr;
    }
    auto endpoint = std::make_unique<TEndpoint>(*this, ++lastHandle);
    endpoints[endpoint->Handle()] = endpoint.get();
    return endpoint;
}

std::int32_t TInProcessTransport::Find(const QString& className, const QString& windowName) {
    const auto it = names.find(className + QLatin1Char('\n') + windowName);
    return it == names.end() ? 0 : it->second;
}

bool TInProcessTransport::Exists(std::int32_t handle) {
    return endpoints.count(handle) != 0;
}

TInProcessTransport::TSendResult TInProcessTransport::Send(std::int32_t target,
                                                           std::int32_t sender,
                                                           std::int32_t kind,
                                                           const QByteArray& record, int) {
    const auto it = endpoints.find(target);
    if (it == endpoints.end() ||
        static_cast<std::uint64_t>(record.size()) > TMessageEndpoint::MaxRecordBytes)
        return TSendResult::NoReceiver;
    // A copy: the handler may close the endpoint it runs on.
    const TMessageEndpoint::TReceiveHandler handler = it->second->OnReceive;
    if (!handler)
        return TSendResult::Rejected;
    TMessageEndpoint::TReceived received;
    received.Kind = kind;
    received.Sender = sender;
    received.Record = record;
    return handler(received) ? TSendResult::Delivered : TSendResult::Rejected;
}
