#include "hostlink/KdbDemonClient.h"

#include "hostlink/ETavimor.h"
#include "localization/Cp1252.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t ByHandle = 1;
constexpr std::uint8_t ByTitle = 2;
constexpr int WaitSliceMs = 100;

// Waits for a process this program did not start. Linux tells such a waiter that the
// process ended (through a pidfd), not its exit code. False when it cannot be watched.
bool waitForProcessEnd(std::int32_t pid, const TkdbCustomDemon& demon) {
    const long fd = ::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0);
    if (fd < 0)
        return errno == ESRCH; // ended (and reaped) before we looked: nothing to wait for
    // Short slices keep every poll timed; the program still answers host messages meanwhile.
    for (;;) {
        pollfd watched{static_cast<int>(fd), POLLIN, 0};
        const int ready = ::poll(&watched, 1, WaitSliceMs);
        if (ready > 0 || (ready < 0 && errno != EINTR) || demon.QuitAllowed())
            break;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ::close(static_cast<int>(fd));
    return true;
}

} // namespace

TkdbDemonClient::TkdbDemonClient(QObject* owner)
    : TkdbDemonClient(owner, QCoreApplication::arguments()) {}

TkdbDemonClient::TkdbDemonClient(QObject* owner, const QStringList& arguments)
    : TkdbCustomDemon(owner, arguments) {
    CreateOwnWindow();
}

TkdbDemonClient::TkdbDemonClient(QObject* owner, const QStringList& arguments,
                                 TMessageTransport& transport)
    : TkdbCustomDemon(owner, arguments, transport) {
    CreateOwnWindow();
}

TkdbDemonClient::~TkdbDemonClient() {
    try {
        if (ServerDownFlag() == 0)
            UnregisterClient();
    } catch (const std::exception&) {
        // The host may be gone; the shutdown goes on.
    }
}

QString TkdbDemonClient::GetWindowClassName() const {
    return QLatin1String(ClientWindowClass);
}

QString TkdbDemonClient::GetWindowName() const {
    return {};
}

void TkdbDemonClient::RegisterClient() {
    TTavimorMessageStream msg(this);
    msg.MsgId = msgRegister;
    OwnEntity().WriteTo(msg);
    SendTo(ServerEntity(), msg, nullptr);
}

void TkdbDemonClient::UnregisterClient() {
    TTavimorMessageStream msg(this);
    msg.MsgId = msgUnregister;
    OwnEntity().WriteTo(msg);
    SendTo(ServerEntity(), msg, nullptr);
}

bool TkdbDemonClient::request(TTavimorMessageStream& msg, TTavimorMessageStream& reply) {
    reply.MsgId = 0;
    SendTo(ServerEntity(), msg, &reply);
    return reply.MsgId == msgReply;
}

std::unique_ptr<TEntity> TkdbDemonClient::findEntity(TTavimorMessageStream& msg) {
    TTavimorMessageStream reply(this);
    if (!request(msg, reply) || reply.Size() == 0)
        return nullptr;
    auto entity = std::make_unique<TEntity>(this);
    try {
        entity->ReadFrom(reply);
    } catch (const ETavimor&) {
        return nullptr; // an entity cut short is none
    }
    return entity;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByTitle(const QString& title) {
    TTavimorMessageStream msg(this);
    msg.MsgId = msgFindEntity;
    msg.WriteByte(ByTitle);
    msg.WriteString(ToCp1252(title));
    return findEntity(msg);
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByHandle(std::int32_t handle) {
    TTavimorMessageStream msg(this);
    msg.MsgId = msgFindEntity;
    msg.WriteByte(ByHandle);
    msg.WriteInt32(handle);
    return findEntity(msg);
}

std::int32_t TkdbDemonClient::ExecuteProgram(const QString& program, const QString& params,
                                             bool wait, std::int32_t option) {
    TTavimorMessageStream msg(this);
    msg.MsgId = msgExecute;
    msg.WriteString(ToCp1252(program));
    msg.WriteString(ToCp1252(params));
    msg.WriteByte(wait ? 1 : 0);
    msg.WriteInt32(option);
    TTavimorMessageStream reply(this);
    std::int32_t value = 0;
    if (request(msg, reply) && reply.Size() - reply.Position() >= 4)
        value = reply.ReadInt32();
    const std::string failed = "Could not execute \"" + ToCp1252(program) + ".\"";
    if (value == 0)
        throw ETavimor(failed);
    if (!wait)
        return value;
    // Messages are served while the wait lasts; a quit allowed meanwhile ends the wait.
    const TRequestScope scope(*this);
    if (value < 0 || !waitForProcessEnd(value, *this))
        throw ETavimor(failed);
    return 0;
}

std::optional<QByteArray> TkdbDemonClient::GetFileStream(const QString& fileName) {
    TTavimorMessageStream msg(this);
    msg.MsgId = msgGetFile;
    msg.WriteString(ToCp1252(fileName));
    TTavimorMessageStream reply(this);
    if (!request(msg, reply) || reply.Size() == 0 || reply.ReadByte() == 0)
        return std::nullopt;
    const std::string rest = reply.ReadRest();
    return QByteArray(rest.data(), static_cast<qsizetype>(rest.size()));
}

QString TkdbDemonClient::stringRequest(std::int32_t kind, const QString& text) {
    TTavimorMessageStream msg(this);
    msg.MsgId = kind;
    msg.WriteString(ToCp1252(text));
    TTavimorMessageStream reply(this);
    if (!request(msg, reply) || reply.Size() == 0)
        return {};
    try {
        return FromCp1252(reply.ReadString());
    } catch (const ETavimor&) {
        return {}; // a string cut short is none
    }
}

QString TkdbDemonClient::ResolveFileName(const QString& name) {
    return stringRequest(msgResolveFileName, name);
}

QString TkdbDemonClient::QueryServerText(const QString& text) {
    return stringRequest(msgQueryText, text);
}

QString TkdbDemonClient::GetServerVariable(const QString& name) {
    if (UseQuenlorServer())
        return stringRequest(msgGetVariable, name);
    if (name == QLatin1String("QuenlorWorkArea") || name == QLatin1String("QuenlorHomeDir")) {
        QString folder = QFileInfo(ParamStr(0)).path();
        if (!folder.endsWith(QLatin1Char('\\')) && !folder.endsWith(QLatin1Char('/')))
            folder += QLatin1Char('\\');
        return folder;
    }
    return {};
}
