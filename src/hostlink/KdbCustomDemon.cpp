#include "hostlink/KdbCustomDemon.h"

#include "hostlink/ETavimor.h"
#include "localization/Cp1252.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBox.h"
#include "platform/MessageWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>
#include <cstdlib>
#include <sstream>

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

} // namespace

TkdbCustomDemon::TkdbCustomDemon(QObject* owner, const QStringList& commandLine)
    : QObject(owner), arguments(commandLine) {
    engine = std::make_unique<TTolkar2000>(QString());
    serverEntity = std::make_unique<TEntity>(this);
    ownEntity = std::make_unique<TEntity>(this);
    serverEntity->Window = FindServerWindow(arguments);
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
    window = TMessageWindow::Create(GetWindowClassName(), GetWindowName(), error);
    if (!window)
        throw ETavimor(error.isEmpty() ? std::string("Could not create window handle")
                                       : error.toStdString());
    ownEntity->Window = window->Handle();
    ownEntity->SetTitle(ToCp1252(QCoreApplication::applicationName()));
    ownEntity->SetFileName(ToCp1252(QCoreApplication::applicationFilePath()));
    window->OnReceive = [this](const TMessageWindow::TReceived& r) {
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

QString TkdbCustomDemon::GetServerSuffix(const QStringList& arguments) {
    QSettings registry(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Orvel"),
                       QStringLiteral("quenlor"));
    QString suffix = registry.value(QStringLiteral("demon/ViewerHandle")).toString();
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
    const QString suffix = GetServerSuffix(arguments);
    return TMessageWindow::FindMessageWindow(QLatin1String(ServerWindowClass) + suffix,
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
    const QString beside = exe.absolutePath() + QLatin1Char('/') + base + QStringLiteral(".itl");
    if (QFileInfo(beside).isFile())
        return beside;
    const QString folder = DataFolderOf(executable) + QLatin1Char('/') + base + QLatin1Char('_');
    QStringList candidates;
    if (!localeName.isEmpty() && localeName != QLatin1String("C")) {
        candidates << localeName;                                  // de_AT
        candidates << localeName.section(QLatin1Char('_'), 0, 0); // de
    }
    candidates << QStringLiteral("en");
    for (const QString& language : candidates) {
        const QFileInfo file(folder + language + QStringLiteral(".itl"));
        if (file.isFile())
            return file.canonicalFilePath();
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
        return;
    }
    if (state == TInstanceLock::TState::Failed) {
        // Without a lock the program cannot tell whether it runs twice; it runs.
        report(QStringLiteral("no single-instance lock: %1").arg(error));
        return;
    }
    try {
        if (std::unique_ptr<TEntity> first = FindEntityByTitle(QCoreApplication::applicationName())) {
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
    std::fflush(stdout);
    std::exit(0);
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
    TMessageWindow::Send(target.Window, window->Handle(), msg.MsgId,
                         QByteArray(reinterpret_cast<const char*>(record.data()),
                                    static_cast<qsizetype>(record.size())));
    for (auto it = pendingReplies.begin(); it != pendingReplies.end(); ++it) {
        if ((*it)->TimeStamp == msg.TimeStamp) {
            std::unique_ptr<TTavimorMessageStream> found = std::move(*it);
            pendingReplies.erase(it);
            if (reply)
                found->CopyTo(*reply);
            break;
        }
    }
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
        if (OnQuitMsgReceived)
            OnQuitMsgReceived(this, serverDownFlag != 0, allowQuit);
        // Destroyed once this message has been handled, never inside its own dispatch.
        if (allowQuit)
            deleteLater();
        break;
    }
    case msgReply:
        pendingReplies.push_back(std::move(msg));
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
        if (OnParamsChange)
            OnParamsChange(this);
        break;
    }
    default:
        if (OnGotAMessage)
            OnGotAMessage(this, *msg);
        break;
    }
}

bool TkdbCustomDemon::IsWindowAlive(std::int32_t handle) const {
    if (handle == 0)
        return false;
    if (window && handle == window->Handle())
        return true;
    return TMessageWindow::Exists(handle);
}
