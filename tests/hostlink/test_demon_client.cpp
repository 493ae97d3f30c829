// The host-link client in one process: its command line, the requests against a fake host
// endpoint over the in-process transport, the dispatch of quit, reply and parameter
// messages, replies that cannot be read, the bound on unclaimed replies, a quit that comes
// during a request (over real sockets, so the wait nests as in the program), and the choice
// of dictionary.

#include "hostlink/ETavimor.h"
#include "hostlink/KdbDemonClient.h"
#include "platform/InProcessTransport.h"
#include "platform/MessageWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <functional>
#include <map>

namespace {

// The system settings live in a scratch folder, so no machine value leaks into a test.
class Registry {
public:
    Registry() { QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, dir.path()); }
    void Set(const QString& value) {
        QSettings s(QSettings::NativeFormat, QSettings::SystemScope, "Orvel", "quenlor");
        s.setValue("demon/ViewerHandle", value);
        s.sync();
    }
    QTemporaryDir dir;
};

QByteArray bytesOf(const TTavimorMessageStream& msg) {
    const auto record = EncodeRecord(msg);
    return QByteArray(reinterpret_cast<const char*>(record.data()),
                      static_cast<qsizetype>(record.size()));
}

// A host endpoint that records what it receives and answers requests from `answers`;
// `beforeAnswer` runs first when set.
class FakeHost {
public:
    FakeHost(const QString& suffix, TMessageTransport& via) : transport(via) {
        QString error;
        window = transport.Open(error);
        EXPECT_TRUE(window) << error.toStdString();
        EXPECT_TRUE(window->Publish(TkdbCustomDemon::ServerWindowClass + suffix,
                                    TkdbCustomDemon::ServerWindowName + suffix, error));
        window->OnReceive = [this](const TMessageEndpoint::TReceived& r) {
            auto msg = DecodeRecord(r.Kind, reinterpret_cast<const std::uint8_t*>(r.Record.data()),
                                    static_cast<std::size_t>(r.Record.size()), r.Sender, nullptr);
            kinds.push_back(r.Kind);
            payloads.push_back(msg->ReadRest());
            auto answer = answers.find(r.Kind);
            if (answer != answers.end()) {
                if (beforeAnswer)
                    beforeAnswer(r.Sender);
                TTavimorMessageStream reply;
                reply.MsgId = msgReply;
                reply.TimeStamp = msg->TimeStamp;
                reply.Write(answer->second.data(), answer->second.size());
                transport.Send(r.Sender, window->Handle(), msgReply, bytesOf(reply));
            }
            return true;
        };
    }
    // A message of the host's own to the client.
    TMessageTransport::TSendResult Post(std::int32_t target, std::int32_t kind, const std::string& payload) {
        TTavimorMessageStream msg;
        msg.MsgId = kind;
        msg.TimeStamp = TimeStampNow();
        msg.Write(payload.data(), payload.size());
        return transport.Send(target, window->Handle(), kind, bytesOf(msg));
    }
    TMessageTransport& transport;
    std::unique_ptr<TMessageEndpoint> window;
    std::vector<std::int32_t> kinds;
    std::vector<std::string> payloads;
    std::map<std::int32_t, std::string> answers;
    std::function<void(std::int32_t client)> beforeAnswer;
};

std::string str(const std::string& s) {
    TTavimorMessageStream m;
    m.WriteString(s);
    return {m.Bytes().begin(), m.Bytes().end()};
}

QStringList commandLine(const QString& suffix, QStringList more = {}) {
    return QStringList{QCoreApplication::applicationFilePath(), "/serverhandle=" + suffix} + more;
}

} // namespace

TEST(DemonClient, CommandLineAndServerSuffix) {
    Registry registry;
    TkdbDemonClient client(nullptr, {"/bin/prog", "first", "/serverhandle=AB12CD", "second"});
    EXPECT_EQ(client.ParamCount(), 2);
    EXPECT_EQ(client.ParamStr(1), "first");
    EXPECT_EQ(client.ParamStr(2), "second");
    EXPECT_EQ(client.ParamStr(0), QCoreApplication::applicationFilePath());
    EXPECT_EQ(TkdbCustomDemon::GetServerSuffix({"/bin/prog", "first", "/serverhandle=AB12CD"}), "ab12cd");
    for (int bad : {-1, 3}) {
        try {
            client.ParamStr(bad);
            ADD_FAILURE() << bad;
        } catch (const ETavimor& e) {
            EXPECT_EQ(std::string(e.what()), "Illegal \"ParamStr\" parameter: " + std::to_string(bad));
        }
    }

    // Upper-case letters set the suffix but keep the argument among the parameters; a later
    // match wins; the program's own path is never read as a switch.
    TkdbDemonClient mixed(nullptr, {"/bin/prog", "/ServerHandle=XY", "/SERVERHANDLE=Later"});
    EXPECT_EQ(mixed.ParamCount(), 2);
    EXPECT_EQ(mixed.ParamStr(1), "/ServerHandle=XY");
    EXPECT_EQ(TkdbCustomDemon::GetServerSuffix({"/serverhandle=zz", "/ServerHandle=XY", "/SERVERHANDLE=Later"}),
              "later");
    EXPECT_EQ(TkdbCustomDemon::GetServerSuffix({"/serverhandle=zz"}), "");

    // The registry value wins unless it is empty or all zeros; then zeros stay without a switch.
    registry.Set("fromregistry");
    EXPECT_EQ(TkdbCustomDemon::GetServerSuffix({"p", "/serverhandle=arg"}), "fromregistry");
    registry.Set("00000000");
    EXPECT_EQ(TkdbCustomDemon::GetServerSuffix({"p", "/serverhandle=arg"}), "arg");
    EXPECT_EQ(TkdbCustomDemon::GetServerSuffix({"p"}), "00000000");
}

TEST(DemonClient, WithoutAHostEveryRequestGivesNothing) {
    Registry registry;
    TInProcessTransport transport;
    TkdbDemonClient client(nullptr, commandLine("nohost"), transport);
    EXPECT_EQ(client.ServerEntity().Window, 0);
    EXPECT_NE(client.OwnEntity().Window, 0);
    EXPECT_FALSE(client.FindEntityByTitle("x"));
    EXPECT_FALSE(client.FindEntityByHandle(12));
    EXPECT_FALSE(client.GetFileStream("a.itl"));
    EXPECT_EQ(client.ResolveFileName("a"), "");
    EXPECT_EQ(client.QueryServerText("a"), "");
    EXPECT_EQ(client.GetServerVariable("QuenlorWorkArea"), "");
    try {
        client.ExecuteProgram("tool", "", false, 0);
        ADD_FAILURE();
    } catch (const ETavimor& e) {
        EXPECT_STREQ(e.what(), "Could not execute \"tool.\"");
    }
    // Told to work through a host that is not there, the loaded step refuses.
    try {
        client.Loaded();
        ADD_FAILURE();
    } catch (const ETavimor& e) {
        EXPECT_STREQ(e.what(), "Tavi/Mor server application is not running");
    }
    client.SetUseQuenlorServer(false);
    const QString dir = QFileInfo(QCoreApplication::applicationFilePath()).path();
    EXPECT_EQ(client.GetServerVariable("QuenlorHomeDir"), dir + "\\");
    EXPECT_EQ(client.GetServerVariable("QuenlorWorkArea"), dir + "\\");
    EXPECT_EQ(client.GetServerVariable("quenlorhomedir"), "");
}

TEST(DemonClient, RequestsAndTheirAnswers) {
    Registry registry;
    TInProcessTransport transport;
    FakeHost host("requests", transport);
    TkdbDemonClient client(nullptr, commandLine("requests"), transport);
    ASSERT_EQ(client.ServerEntity().Window, host.window->Handle());

    // Find by title: byte 2 and the title; an empty reply is no entity.
    host.answers[msgFindEntity] = "";
    EXPECT_FALSE(client.FindEntityByTitle("Centrova"));
    EXPECT_EQ(host.payloads.back(), std::string("\x02", 1) + str("Centrova"));
    TTavimorMessageStream entity;
    TEntity e;
    e.Window = 77;
    e.SetFileName("/opt/x");
    e.SetTitle("X");
    e.WriteTo(entity);
    host.answers[msgFindEntity] = {entity.Bytes().begin(), entity.Bytes().end()};
    auto found = client.FindEntityByHandle(77);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Window, 77);
    EXPECT_EQ(found->StoredTitle(), "X");
    EXPECT_EQ(host.payloads.back(), std::string("\x01\x4d\0\0\0", 5));

    // A file: flag 1 and the bytes; flag 0 is no file even with bytes after it.
    host.answers[msgGetFile] = std::string("\x01" "content", 8);
    auto file = client.GetFileStream("f.itl");
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, "content");
    host.answers[msgGetFile] = std::string("\0more", 5);
    EXPECT_FALSE(client.GetFileStream("f.itl"));

    host.answers[msgResolveFileName] = str("/served/f");
    EXPECT_EQ(client.ResolveFileName("f"), "/served/f");
    host.answers[msgQueryText] = str("answer \xe9");
    EXPECT_EQ(client.QueryServerText("q"), QString::fromUtf8("answer é"));
    host.answers[msgGetVariable] = str("value");
    EXPECT_EQ(client.GetServerVariable("Name"), "value");
    EXPECT_EQ(host.payloads.back(), str("Name"));

    // Execute: program, parameters, wait byte, option; the reply value comes back.
    host.answers[msgExecute] = std::string("\x39\x30\0\0", 4);
    EXPECT_EQ(client.ExecuteProgram("prog", "-a", false, 5), 12345);
    EXPECT_EQ(host.payloads.back(), str("prog") + str("-a") + std::string("\0\x05\0\0\0", 5));
    host.answers[msgExecute] = std::string("\0\0\0\0", 4);
    EXPECT_THROW(client.ExecuteProgram("prog", "", false, 0), ETavimor);
    EXPECT_EQ(client.PendingReplyCount(), 0u);
}

TEST(DemonClient, QuitParamsAndBadRecords) {
    Registry registry;
    TInProcessTransport transport;
    FakeHost host("quit", transport);
    QPointer<TkdbDemonClient> client = new TkdbDemonClient(nullptr, commandLine("quit"), transport);
    const std::int32_t own = client->OwnEntity().Window;

    // Parameters replace the list, lines split at CR LF, CR or LF.
    int changes = 0;
    client->OnParamsChange = [&](QObject*) { ++changes; };
    host.Post(own, msgParams, "prog\r\none\rtwo\nthree\r\n");
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(client->ParamCount(), 3);
    EXPECT_EQ(client->ParamStr(3), "three");

    // A message of another kind goes to OnGotAMessage.
    std::int32_t other = 0;
    client->OnGotAMessage = [&](QObject*, TTavimorMessageStream& m) { other = m.MsgId; };
    host.Post(own, 5000, "x");
    EXPECT_EQ(other, 5000);

    // A record shorter than its stamp is refused and not dispatched.
    EXPECT_EQ(transport.Send(own, host.window->Handle(), 5001, QByteArray(7, 0)),
              TMessageTransport::TSendResult::Rejected);
    EXPECT_EQ(other, 5000);
    // So is a quit without its byte.
    EXPECT_EQ(transport.Send(own, host.window->Handle(), msgQuit, QByteArray(8, 0)),
              TMessageTransport::TSendResult::Rejected);

    // A reply nobody waits for stays until the end.
    host.Post(own, msgReply, "late");
    EXPECT_EQ(client->PendingReplyCount(), 1u);

    // Refused quit: nothing happens but the flag.
    client->OnQuitMsgReceived = [](QObject*, bool serverDown, bool& allow) {
        EXPECT_TRUE(serverDown);
        allow = false;
    };
    host.Post(own, msgQuit, "\x07");
    ASSERT_TRUE(client);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(client);
    EXPECT_EQ(client->ServerDownFlag(), 7);

    // Allowed quit with ServerDown: destroyed after the message, without unregistering.
    client->OnQuitMsgReceived = nullptr;
    host.kinds.clear();
    // It still acknowledged the message: the deletion came after its dispatch.
    EXPECT_EQ(host.Post(own, msgQuit, "\x01"), TMessageTransport::TSendResult::Delivered);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(client);
    EXPECT_TRUE(host.kinds.empty());
    EXPECT_FALSE(transport.Exists(own));

    // Without ServerDown the client says goodbye as it goes.
    QPointer<TkdbDemonClient> second = new TkdbDemonClient(nullptr, commandLine("quit"), transport);
    host.Post(second->OwnEntity().Window, msgQuit, std::string(1, '\0'));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(second);
    ASSERT_EQ(host.kinds.size(), 1u);
    EXPECT_EQ(host.kinds[0], msgUnregister);
}

TEST(DemonClient, RepliesThatCannotBeReadGiveNothing) {
    Registry registry;
    TInProcessTransport transport;
    FakeHost host("empty", transport);
    TkdbDemonClient client(nullptr, commandLine("empty"), transport);
    ASSERT_EQ(client.ServerEntity().Window, host.window->Handle());
    // An empty reply, and one that announces more than it holds.
    for (const std::string& answer : {std::string(), std::string("\x0a\0\0\0abc", 7)}) {
        for (std::int32_t kind : {msgResolveFileName, msgQueryText, msgGetVariable, msgFindEntity})
            host.answers[kind] = answer;
        EXPECT_EQ(client.ResolveFileName("f"), "");
        EXPECT_EQ(client.QueryServerText("q"), "");
        EXPECT_EQ(client.GetServerVariable("v"), "");
        EXPECT_FALSE(client.FindEntityByTitle("t"));
    }
    // Starting through the host: the dictionary's name resolves to nothing, and the start
    // goes on without a dictionary.
    host.answers[msgResolveFileName] = "";
    client.SetMultiStart(true);
    client.SetAutoTranslate(false);
    EXPECT_NO_THROW(client.Loaded());
    EXPECT_EQ(client.PendingReplyCount(), 0u);
}

// A client whose replies age on a clock the test moves.
class ClockedClient : public TkdbDemonClient {
public:
    using TkdbDemonClient::TkdbDemonClient;
    std::chrono::steady_clock::time_point now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);

protected:
    std::chrono::steady_clock::time_point Now() const override { return now; }
};

TEST(DemonClient, UnclaimedRepliesAreBounded) {
    Registry registry;
    TInProcessTransport transport;
    FakeHost host("flood", transport);
    ClockedClient client(nullptr, commandLine("flood"), transport);
    const std::int32_t own = client.OwnEntity().Window;
    TTavimorMessageStream stray;
    stray.MsgId = msgReply;
    stray.TimeStamp = TimeStampOf(2001, 2, 3, 4, 5, 6, 7); // never a request's
    stray.Write(std::string(1024, 'r').data(), 1024);
    for (std::size_t i = 0; i < TkdbCustomDemon::MaxUnclaimedReplies + 36; ++i)
        transport.Send(own, host.window->Handle(), msgReply, bytesOf(stray));
    EXPECT_EQ(client.PendingReplyCount(), TkdbCustomDemon::MaxUnclaimedReplies);
    // The newest are kept: a request still gets its own reply.
    host.answers[msgQueryText] = str("mine");
    EXPECT_EQ(client.QueryServerText("q"), "mine");

    // Past the send time limit the old ones go when the next reply comes.
    client.now += std::chrono::milliseconds(TkdbCustomDemon::UnclaimedReplyMs - 1);
    transport.Send(client.OwnEntity().Window, host.window->Handle(), msgReply, bytesOf(stray));
    EXPECT_EQ(client.PendingReplyCount(), TkdbCustomDemon::MaxUnclaimedReplies);
    client.now += std::chrono::milliseconds(2);
    transport.Send(client.OwnEntity().Window, host.window->Handle(), msgReply, bytesOf(stray));
    EXPECT_EQ(client.PendingReplyCount(), 2u);
}

// The host answers a request by telling the client to quit first, as a host closing down
// may. The client goes only after the request has returned, with nothing as its answer.
// Over real sockets: the quit arrives inside the nested wait of the request.
TEST(DemonClient, QuitDuringARequestDestroysTheClientAfterIt) {
    Registry registry;
    for (const char serverDown : {'\x01', '\x00'}) {
        TMessageTransport& sockets = TMessageTransport::LocalSockets();
        FakeHost host("quitfirst", sockets);
        QPointer<TkdbDemonClient> client =
            new TkdbDemonClient(nullptr, commandLine("quitfirst"), sockets);
        ASSERT_EQ(client->ServerEntity().Window, host.window->Handle());
        host.answers[msgQueryText] = str("too late");
        TkdbDemonClient* raw = client.data();
        host.beforeAnswer = [&](std::int32_t sender) {
            EXPECT_EQ(host.Post(sender, msgQuit, std::string(1, serverDown)),
                      TMessageTransport::TSendResult::Delivered);
        };
        EXPECT_EQ(raw->QueryServerText("q"), "");
        ASSERT_TRUE(client); // still there: the request was on the stack
        EXPECT_TRUE(client->QuitAllowed());
        host.kinds.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(client);
        // Goodbye only when the host is not going down.
        EXPECT_EQ(host.kinds, serverDown ? std::vector<std::int32_t>{}
                                         : std::vector<std::int32_t>{msgUnregister});
    }
}

TEST(DemonClient, DictionaryBesideTheProgramThenTheDataFolder) {
    QTemporaryDir root;
    const QString bin = root.path() + "/bin";
    const QString share = root.path() + "/share/lesson";
    QDir().mkpath(bin);
    QDir().mkpath(share);
    const QString exe = bin + "/lesson";
    auto touch = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(exe, "de_DE"), "");
    touch(share + "/lesson_en.itl");
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(exe, "de_DE"), QFileInfo(share + "/lesson_en.itl").canonicalFilePath());
    touch(share + "/lesson_de.itl");
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(exe, "de_DE"), QFileInfo(share + "/lesson_de.itl").canonicalFilePath());
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(exe, "C"), QFileInfo(share + "/lesson_en.itl").canonicalFilePath());
    touch(share + "/lesson_de_AT.itl");
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(exe, "de_AT"), QFileInfo(share + "/lesson_de_AT.itl").canonicalFilePath());
    // An extension is replaced; the file beside the program always wins.
    touch(bin + "/lesson.itl");
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(exe, "de_AT"), bin + "/lesson.itl");
    EXPECT_EQ(TkdbCustomDemon::FindDictionaryFile(bin + "/lesson.exe", "de"), bin + "/lesson.itl");
}
