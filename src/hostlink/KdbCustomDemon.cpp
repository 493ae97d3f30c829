#include "hostlink/KdbCustomDemon.h"

#include "hostlink/ETavimor.h"
#include "localization/Cp1252.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBox.h"
#include "platform/MessageTransport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace {

const QString ServerHandleSwitch = QStringLiteral("/serverhandle=");

// Only A..Z fold, as everywhere in the host link.
QString foldCase(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}

void report(const QString& text) {
    std::fprintf(stderr, "%s: host link: %s\n",
                 qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(text));
}

// The system settings files the host's suffix may come from: Qt's system folder, found
// through the name of a file that does not exist, and in it the application's and the
// organisation's file.
QStringList systemSettingsFiles() {
    const QSettings probe(QSettings::NativeFormat, QSettings::SystemScope,
                          QStringLiteral("tavimor-probe-%1").arg(::getpid()),
                          QStringLiteral("none"));
    const QString folder = QFileInfo(QFileInfo(probe.fileName()).path()).path();
    return {folder + QStringLiteral("/Orvel/quenlor.conf"), folder + QStringLiteral("/Orvel.conf")};
}

} // namespace

TkdbCustomDemon::TkdbCustomDemon(QObject* owner, const QStringList& commandLine)
    : TkdbCustomDemon(owner, commandLine, TMessageTransport::LocalSockets()) {}

TkdbCustomDemon::TkdbCustomDemon(QObject* owner, const QStringList& commandLine,
                                 TMessageTransport& messages)
    : QObject(owner), transport(&messages), arguments(commandLine) {
    engine = std::make_unique<TTolkar2000>(QString());
    serverEntity = std::make_unique<TEntity>(this);
    ownEntity = std::make_unique<TEntity>(this);
    serverEntity->Window = FindServerWindow(arguments, *transport);
    ReadParams();
}

void TkdbCustomDemon::ReadParams() {
    paramList.clear();
    for (const QString& argument : arguments)
        if (!argument.startsWith(ServerHandleSwitch, Qt::CaseSensitive))
            paramList.append(argument);
}

void TkdbCustomDemon::CreateOwnWindow() {
    QString error;
    window = transport->Open(error);
    if (!window)
        throw ETavimor(error.isEmpty() ? std::string("Could not create window handle")
                                       : error.toStdString());
    ownEntity->Window = window->Handle();
    ownEntity->SetTitle(ToCp1252(QCoreApplication::applicationName()));
    ownEntity->SetFileName(ToCp1252(QCoreApplication::applicationFilePath()));
    window->OnReceive = [this](const TMessageEndpoint::TReceived& r) {
        return receive(r.Kind, r.Sender, r.Record);
    };
}

TkdbCustomDemon::~TkdbCustomDemon() {
    try {
        pendingReplies.clear();
        window.reset(); // closes the endpoint and its name file
        lock.reset();
        ownEntity->LockHandle = 0;
        engine.reset(); // may write the dictionary of missed keys
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    }
    QCoreApplication::quit();
}

QString TkdbCustomDemon::ParamStr(int index) const {
    if (index == 0)
        return QCoreApplication::applicationFilePath();
    if (index < 1 || index > ParamCount())
        throw ETavimor("Illegal \"ParamStr\" parameter: " + std::to_string(index));
    return paramList.at(index);
}

int TkdbCustomDemon::ParamCount() const {
    return static_cast<int>(paramList.size()) - 1;
}

void TkdbCustomDemon::PublishOwnWindow() {
    QString error;
    if (window && !window->Publish(GetWindowClassName(), GetWindowName(), error))
        report(QStringLiteral("the message window cannot be found by others: %1").arg(error));
}

QString TkdbCustomDemon::GetServerSuffix(const QStringList& arguments) {
    // Only regular files are read: a pipe would block the start for ever, a device could
    // be endless.
    bool readable = true;
    for (const QString& file : systemSettingsFiles()) {
        const QFileInfo info(file);
        if (info.exists() && !info.isFile()) {
            report(QStringLiteral("%1 is not a regular file; ViewerHandle is taken as unset")
                       .arg(QDir::toNativeSeparators(file)));
            readable = false;
        }
    }
    QString suffix;
    if (readable) {
        const QSettings registry(QSettings::NativeFormat, QSettings::SystemScope,
                                 QStringLiteral("Orvel"), QStringLiteral("quenlor"));
        suffix = registry.value(QStringLiteral("demon/ViewerHandle")).toString();
    }
    if (suffix.isEmpty() || suffix == QLatin1String("00000000")) {
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            const QString folded = foldCase(arguments.at(i));
            if (folded.startsWith(ServerHandleSwitch))
                suffix = folded.mid(ServerHandleSwitch.size());
        }
    }
    return suffix;
}

std::int32_t TkdbCustomDemon::FindServerWindow(const QStringList& arguments) {
    return FindServerWindow(arguments, TMessageTransport::LocalSockets());
}

std::int32_t TkdbCustomDemon::FindServerWindow(const QStringList& arguments,
                                               TMessageTransport& transport) {
    const QString suffix = GetServerSuffix(arguments);
    return transport.Find(QLatin1String(ServerWindowClass) + suffix,
                          QLatin1String(ServerWindowName) + suffix);
}

QString TkdbCustomDemon::DataFolderOf(const QString& executable) {
    const QFileInfo exe(executable);
    return exe.absolutePath() + QStringLiteral("/../share/") + exe.completeBaseName();
}

QString TkdbCustomDemon::FindDictionaryFile(const QString& executable,
                                            const QString& localeName) {
    const QFileInfo exe(executable);
    const QString base = exe.completeBaseName();
    const auto usable = [](const QString& path) {
        QFile file(path);
        return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
    };
    const QString beside = exe.absolutePath() + QLatin1Char('/') + base + QStringLiteral(".itl");
    if (usable(beside))
        return beside;
    const QString folder = DataFolderOf(executable) + QLatin1Char('/') + base + QLatin1Char('_');
    QStringList candidates;
    if (!localeName.isEmpty() && localeName != QLatin1String("C")) {
        candidates << localeName;                                  // de_AT
        candidates << localeName.section(QLatin1Char('_'), 0, 0); // de
    }
    candidates << QStringLiteral("en");
    for (const QString& language : candidates) {
        const QString path = folder + language + QStringLiteral(".itl");
        if (usable(path))
            return QFileInfo(path).canonicalFilePath();
    }
    return {};
}

void TkdbCustomDemon::Loaded() {
    if (useQuenlorServer) {
        if (serverEntity->Window == 0)
            throw ETavimor("Tavi/Mor server application is not running");
        RegisterClient();
    }
    LoadDictionary();
    if (autoTranslate && parent())
        engine->TranslateComponent(parent());
    if (!multiStart)
        CheckMultiStart();
    else
        PublishOwnWindow();
}

void TkdbCustomDemon::LoadDictionary() {
    const QString executable = QCoreApplication::applicationFilePath();
    if (useQuenlorServer) {
        QString name = ResolveFileName(executable);
        const QFileInfo info(name);
        if (!info.suffix().isEmpty())
            name.chop(info.suffix().size() + 1);
        const std::optional<QByteArray> bytes = GetFileStream(name + QStringLiteral(".itl"));
        if (bytes) {
            std::istringstream stream(bytes->toStdString());
            engine->LoadFromStream(stream);
            return;
        }
    }
    const QString path = FindDictionaryFile(executable, QLocale::system().name());
    if (!path.isEmpty() && engine->LoadFromFile(path))
        dictionaryPath = path;
}

void TkdbCustomDemon::CheckMultiStart() {
    const QString name = FromCp1252(ownEntity->LockName());
    TInstanceLock::TState state;
    QString error;
    lock = TInstanceLock::TryAcquire(name, state, error);
    if (state == TInstanceLock::TState::Acquired) {
        ownEntity->LockHandle = lock->Handle();
        // Only the instance that holds the lock is found by its class and name.
        PublishOwnWindow();
        return;
    }
    if (state == TInstanceLock::TState::Failed) {
        // Without a lock the program cannot tell whether it runs twice; it runs.
        report(QStringLiteral("no single-instance lock: %1").arg(error));
        PublishOwnWindow();
        return;
    }
    // Another instance runs: the host names it, or else it is found by its class and name,
    // and it gets this start's parameters (which bring its window to the front).
    try {
        std::unique_ptr<TEntity> first = FindEntityByTitle(QCoreApplication::applicationName());
        if (!first) {
            const std::int32_t found = transport->Find(GetWindowClassName(), GetWindowName());
            if (found != 0 && window && found != window->Handle()) {
                first = std::make_unique<TEntity>(this);
                first->Window = found;
            }
        }
        if (first) {
            TTavimorMessageStream msg(this);
            msg.MsgId = msgParams;
            std::string text;
            for (const QString& item : paramList)
                text += ToCp1252(item) + "\r\n";
            msg.Write(text.data(), text.size());
            SendTo(*first, msg, nullptr);
        }
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    }
    // The runtime folder is left as this start found it: the endpoint and its socket go
    // (the exit skips every destructor).
    window.reset();
    std::fflush(stdout);
    std::exit(0);
}

TkdbCustomDemon::TRequestScope::TRequestScope(TkdbCustomDemon& d) : demon(d) {
    ++demon.requestDepth;
}

TkdbCustomDemon::TRequestScope::~TRequestScope() {
    demon.endRequest();
}

void TkdbCustomDemon::endRequest() {
    --requestDepth;
    deleteIfQuitAndIdle();
}

void TkdbCustomDemon::deleteIfQuitAndIdle() {
    // The component goes once a quit was allowed and no request of it is on the stack.
    if (quitAllowed && requestDepth == 0 && !deletionPosted) {
        deletionPosted = true;
        deleteLater();
    }
}

void TkdbCustomDemon::SendTo(TEntity& target, TTavimorMessageStream& msg,
                             TTavimorMessageStream* reply) {
    msg.SetDemon(this);
    if (reply)
        reply->SetDemon(this);
    msg.TimeStamp = TimeStampNow();
    if (!window)
        return;
    const std::vector<std::uint8_t> record = EncodeRecord(msg);
    {
        const TRequestScope scope(*this);
        transport->Send(target.Window, window->Handle(), msg.MsgId,
                        QByteArray(reinterpret_cast<const char*>(record.data()),
                                   static_cast<qsizetype>(record.size())));
        for (auto it = pendingReplies.begin(); it != pendingReplies.end(); ++it) {
            if (it->Message->TimeStamp == msg.TimeStamp) {
                const std::unique_ptr<TTavimorMessageStream> found = std::move(it->Message);
                pendingReplies.erase(it);
                pendingReplyBytes -= found->Size();
                // After an allowed quit the request gives nothing: the component is going.
                if (reply && !quitAllowed)
                    found->CopyTo(*reply);
                break;
            }
        }
    }
}

void TkdbCustomDemon::keepReply(std::unique_ptr<TTavimorMessageStream> msg) {
    const auto now = Now();
    const std::size_t size = msg->Size();
    std::size_t dropped = 0;
    while (!pendingReplies.empty() &&
           (now - pendingReplies.front().Arrived >= std::chrono::milliseconds(UnclaimedReplyMs) ||
            pendingReplies.size() >= MaxUnclaimedReplies ||
            pendingReplyBytes + size > MaxUnclaimedReplyBytes)) {
        pendingReplyBytes -= pendingReplies.front().Message->Size();
        pendingReplies.pop_front();
        ++dropped;
    }
    // One line at most per time limit, however many go.
    droppedReplies += dropped;
    if (droppedReplies != 0 &&
        (lastDropReport == std::chrono::steady_clock::time_point{} ||
         now - lastDropReport >= std::chrono::milliseconds(UnclaimedReplyMs))) {
        report(QStringLiteral("%1 unclaimed replies dropped").arg(droppedReplies));
        droppedReplies = 0;
        lastDropReport = now;
    }
    pendingReplyBytes += size;
    pendingReplies.push_back(TUnclaimed{std::move(msg), now});
}

bool TkdbCustomDemon::receive(std::int32_t kind, std::int32_t sender, const QByteArray& record) {
    std::unique_ptr<TTavimorMessageStream> msg;
    try {
        msg = DecodeRecord(kind, reinterpret_cast<const std::uint8_t*>(record.constData()),
                           static_cast<std::size_t>(record.size()), sender, this);
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
        return false;
    }
    // Nothing thrown by a handler may leave the socket's event: it is shown, and the
    // sender still gets its acknowledgement.
    try {
        HandleMessage(msg);
    } catch (const ETavimor& e) {
        report(QStringLiteral("message %1 refused: %2").arg(kind).arg(QString::fromLocal8Bit(e.what())));
        return false;
    } catch (const std::exception& e) {
        ShowMessage(nullptr, QString::fromLocal8Bit(e.what()));
    }
    return true;
}

void TkdbCustomDemon::HandleMessage(std::unique_ptr<TTavimorMessageStream>& msg) {
    switch (msg->MsgId) {
    case msgQuit: {
        serverDownFlag = msg->ReadByte();
        bool allowQuit = true;
        Fire(OnQuitMsgReceived, this, serverDownFlag != 0, allowQuit);
        // Destroyed once this message has been handled, never inside its own dispatch, and
        // never while a request of it waits (TRequestScope).
        if (allowQuit) {
            quitAllowed = true;
            deleteIfQuitAndIdle();
        }
        break;
    }
    case msgReply:
        keepReply(std::move(msg));
        break;
    case msgParams: {
        const QString text = FromCp1252(msg->ReadRest());
        paramList.clear();
        QString line;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                paramList.append(line);
                line.clear();
                if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                    text.at(i + 1) == QLatin1Char('\n'))
                    ++i;
            } else {
                line.append(c);
            }
        }
        if (!line.isEmpty())
            paramList.append(line);
        Fire(OnParamsChange, this);
        break;
    }
    default:
        Fire(OnGotAMessage, this, *msg);
        break;
    }
}

bool TkdbCustomDemon::IsWindowAlive(std::int32_t handle) const {
    if (handle == 0)
        return false;
    if (window && handle == window->Handle())
        return true;
    return transport->Exists(handle);
}
