#pragma once
// TkdbDemonClient, the host-link component a program places on its main window: it finds
// the courseware host, registers with it, asks it for entities, files, texts and variables,
// and lets it start programs. Without a host every request gives its "nothing" result.

#include "hostlink/KdbCustomDemon.h"

class TkdbDemonClient : public TkdbCustomDemon {
    Q_OBJECT
public:
    static constexpr const char* ClientWindowClass = "ThisIsTheTavimorClientComponentWindowClass";

    // The command line is the application's.
    explicit TkdbDemonClient(QObject* owner);
    TkdbDemonClient(QObject* owner, const QStringList& arguments);
    // Over another transport (tests use the in-process one); it must outlive the client.
    TkdbDemonClient(QObject* owner, const QStringList& arguments, TMessageTransport& transport);
    ~TkdbDemonClient() override;

    QString GetWindowClassName() const override;
    QString GetWindowName() const override;
    std::unique_ptr<TEntity> FindEntityByTitle(const QString& title) override;
    std::unique_ptr<TEntity> FindEntityByHandle(std::int32_t window) override;
    // With `wait`, waits for the started process to end and returns 0: a process that did
    // not start it cannot learn another's exit code here.
    std::int32_t ExecuteProgram(const QString& program, const QString& params, bool wait,
                                std::int32_t option) override;
    std::optional<QByteArray> GetFileStream(const QString& fileName) override;
    QString ResolveFileName(const QString& name) override;
    QString QueryServerText(const QString& text) override;
    QString GetServerVariable(const QString& name) override;

protected:
    void RegisterClient() override;
    void UnregisterClient() override;

private:
    // Sends a request to the host; false when no reply came. A reply that cannot be read
    // gives the request's "nothing" result, as no reply does.
    bool request(TTavimorMessageStream& msg, TTavimorMessageStream& reply);
    std::unique_ptr<TEntity> findEntity(TTavimorMessageStream& msg);
    QString stringRequest(std::int32_t kind, const QString& text);
};
