// The local-socket transport and the single-instance lock, in one process: records reach
// the endpoint found by class and name, a reply sent during the handling arrives before the
// send returns, bad frames are refused, a silent receiver costs at most the timeout, and no
// peer holds more connections or bytes than the limits allow. The in-process transport
// keeps the same contract.

#include "platform/InProcessTransport.h"
#include "platform/InstanceLock.h"
#include "platform/MessageWindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

std::unique_ptr<TMessageWindow> open(const QString& cls, const QString& name = {}) {
    QString error;
    auto window = TMessageWindow::Create(cls, name, error);
    EXPECT_TRUE(window) << error.toStdString();
    return window;
}

QByteArray header(std::int32_t kind, std::int32_t sender, std::uint32_t length) {
    QByteArray out;
    for (std::uint32_t v : {static_cast<std::uint32_t>(kind), static_cast<std::uint32_t>(sender), length})
        for (int i = 0; i < 4; ++i)
            out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

} // namespace

TEST(MessageWindow, FolderIsPrivateAndFoundByClassAndName) {
    const QString folder = TMessageWindow::Folder();
    ASSERT_FALSE(folder.isEmpty());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    auto a = open("TestClassA", "Alpha");
    auto b = open("TestClassA", "Beta");
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->Handle(), 0);
    EXPECT_EQ(TMessageWindow::FindMessageWindow("TestClassA", "Alpha"), a->Handle());
    EXPECT_EQ(TMessageWindow::FindMessageWindow("TestClassA", "Beta"), b->Handle());
    EXPECT_EQ(TMessageWindow::FindMessageWindow("TestClassA", "Gamma"), 0);
    EXPECT_TRUE(TMessageWindow::Exists(a->Handle()));

    // The newest of two endpoints with one name is found; closing the older keeps it.
    auto newer = open("TestClassA", "Alpha");
    EXPECT_EQ(TMessageWindow::FindMessageWindow("TestClassA", "Alpha"), newer->Handle());
    const std::int32_t old = a->Handle();
    a.reset();
    EXPECT_FALSE(TMessageWindow::Exists(old));
    EXPECT_EQ(TMessageWindow::FindMessageWindow("TestClassA", "Alpha"), newer->Handle());
    const std::int32_t gone = newer->Handle();
    newer.reset();
    EXPECT_EQ(TMessageWindow::FindMessageWindow("TestClassA", "Alpha"), 0);
    EXPECT_EQ(TMessageWindow::Send(gone, 1, 1, QByteArray(8, 0)),
              TMessageWindow::TSendResult::NoReceiver);
    EXPECT_EQ(TMessageWindow::Send(0, 1, 1, QByteArray(8, 0)),
              TMessageWindow::TSendResult::NoReceiver);
}

TEST(MessageWindow, SocketLeftByAnEndedProcessIsNotAlive) {
    // A bound socket whose owner closed it without removing the file refuses connections.
    const QString path = TMessageWindow::Folder() + "/w00000005";
    QFile::remove(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    ASSERT_LT(static_cast<std::size_t>(native.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(TMessageWindow::Exists(5));
    EXPECT_EQ(TMessageWindow::Send(5, 1, 1, QByteArray(8, 0)),
              TMessageWindow::TSendResult::NoReceiver);
    QFile::remove(path);
}

TEST(MessageWindow, RecordsArriveAndAReplyIsServedBeforeTheSendReturns) {
    auto requester = open("TestRequester");
    auto answerer = open("TestAnswerer");
    ASSERT_TRUE(requester && answerer);
    std::vector<TMessageWindow::TReceived> atRequester;
    requester->OnReceive = [&](const TMessageWindow::TReceived& r) {
        atRequester.push_back(r);
        return true;
    };
    TMessageWindow::TReceived atAnswerer;
    answerer->OnReceive = [&](const TMessageWindow::TReceived& r) {
        atAnswerer = r;
        // Answers back before returning, as a host does.
        EXPECT_EQ(TMessageWindow::Send(r.Sender, answerer->Handle(), 4097, "reply-of-" + r.Record),
                  TMessageWindow::TSendResult::Delivered);
        return true;
    };
    const QByteArray record = QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08payload", 15);
    EXPECT_EQ(TMessageWindow::Send(answerer->Handle(), requester->Handle(), 4100, record),
              TMessageWindow::TSendResult::Delivered);
    EXPECT_EQ(atAnswerer.Kind, 4100);
    EXPECT_EQ(atAnswerer.Sender, requester->Handle());
    EXPECT_EQ(atAnswerer.Record, record);
    ASSERT_EQ(atRequester.size(), 1u); // already there when the send returned
    EXPECT_EQ(atRequester[0].Kind, 4097);
    EXPECT_EQ(atRequester[0].Record, "reply-of-" + record);

    // A receiver that refuses the record says so; an empty record is carried as it is.
    answerer->OnReceive = [](const TMessageWindow::TReceived& r) { return r.Record.size() >= 8; };
    EXPECT_EQ(TMessageWindow::Send(answerer->Handle(), 1, 4096, QByteArray(7, 'x')),
              TMessageWindow::TSendResult::Rejected);
    EXPECT_EQ(TMessageWindow::Send(answerer->Handle(), 1, 4096, QByteArray()),
              TMessageWindow::TSendResult::Rejected);

    // A large record arrives whole.
    QByteArray big(3 * 1024 * 1024, 'b');
    QByteArray seen;
    answerer->OnReceive = [&](const TMessageWindow::TReceived& r) {
        seen = r.Record;
        return true;
    };
    EXPECT_EQ(TMessageWindow::Send(answerer->Handle(), 1, 1, big),
              TMessageWindow::TSendResult::Delivered);
    EXPECT_EQ(seen, big);
}

TEST(MessageWindow, BadFramesAreNotDelivered) {
    auto endpoint = open("TestFrames");
    ASSERT_TRUE(endpoint);
    int deliveries = 0;
    endpoint->OnReceive = [&](const TMessageWindow::TReceived&) {
        ++deliveries;
        return true;
    };
    const QString path = TMessageWindow::Folder() +
                         QStringLiteral("/w%1").arg(static_cast<std::uint32_t>(endpoint->Handle()), 8, 16, QLatin1Char('0'));

    // A length beyond the limit is refused at once.
    QLocalSocket huge;
    huge.connectToServer(path);
    ASSERT_TRUE(huge.waitForConnected(2000));
    huge.write(header(1, 2, TMessageWindow::MaxRecordBytes + 1));
    QTRY_VERIFY_WITH_TIMEOUT(huge.bytesAvailable() > 0 || huge.state() != QLocalSocket::ConnectedState, 5000);
    EXPECT_EQ(huge.readAll(), QByteArray(1, '\0'));

    // A frame that announces more than arrives is dropped when its connection closes.
    QLocalSocket cut;
    cut.connectToServer(path);
    ASSERT_TRUE(cut.waitForConnected(2000));
    cut.write(header(1, 2, 100) + QByteArray(10, 'x'));
    cut.flush();
    QTest::qWait(50);
    cut.disconnectFromServer();
    QTest::qWait(100);
    EXPECT_EQ(deliveries, 0);

    // A header cut in two pieces still counts.
    QLocalSocket split;
    split.connectToServer(path);
    ASSERT_TRUE(split.waitForConnected(2000));
    const QByteArray frame = header(7, 9, 8) + QByteArray(8, 's');
    split.write(frame.left(5));
    split.flush();
    QTest::qWait(50);
    split.write(frame.mid(5));
    QTRY_COMPARE_WITH_TIMEOUT(deliveries, 1, 5000);
}

TEST(MessageWindow, SilentReceiverCountsAsNoAnswer) {
    const QString path = TMessageWindow::Folder() + "/w00000006";
    QFile::remove(path);
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(path));
    EXPECT_EQ(TMessageWindow::Send(6, 1, 1, QByteArray(8, 0), 300),
              TMessageWindow::TSendResult::NoAnswer);
}

// Waits, at most `ms`, until `done` holds, serving events meanwhile.
template <typename F>
bool eventually(F done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(10);
    return done();
}

std::unique_ptr<QLocalSocket> connectTo(const TMessageWindow& endpoint) {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(TMessageWindow::SocketPath(TMessageWindow::Folder(), endpoint.Handle()));
    EXPECT_TRUE(socket->waitForConnected(2000));
    return socket;
}

TEST(MessageWindow, IdleAndSurplusConnectionsAreClosed) {
    EXPECT_EQ(TMessageWindow::TLimits{}.Connections, 64);
    EXPECT_EQ(TMessageWindow::TLimits{}.IdleMs, 10000);
    auto endpoint = open("TestLimits");
    ASSERT_TRUE(endpoint);
    int deliveries = 0;
    endpoint->OnReceive = [&](const TMessageWindow::TReceived&) { return ++deliveries > 0; };
    endpoint->SetLimits({3, 300, TMessageWindow::MaxUnfinishedBytes});

    // Three are held; the fourth and fifth are closed at once.
    std::vector<std::unique_ptr<QLocalSocket>> peers;
    for (int i = 0; i < 5; ++i) {
        peers.push_back(connectTo(*endpoint));
        peers.back()->write("abc", 3); // never a whole frame
        peers.back()->flush();
    }
    const auto closed = [&] {
        int n = 0;
        for (auto& p : peers)
            n += p->state() == QLocalSocket::UnconnectedState ? 1 : 0;
        return n;
    };
    ASSERT_TRUE(eventually([&] { return endpoint->ConnectionCount() == 3 && closed() >= 2; }));
    // The three that said nothing whole are closed after the idle limit.
    ASSERT_TRUE(eventually([&] { return closed() == 5; }));
    EXPECT_TRUE(eventually([&] { return endpoint->ConnectionCount() == 0; }));
    EXPECT_EQ(endpoint->UnfinishedBytes(), 0);
    EXPECT_EQ(deliveries, 0);
    // Afterwards records arrive as before.
    EXPECT_EQ(TMessageWindow::Send(endpoint->Handle(), 1, 1, QByteArray(8, 0)),
              TMessageWindow::TSendResult::Delivered);
    EXPECT_EQ(deliveries, 1);
}

TEST(MessageWindow, UnfinishedFramesAreBounded) {
    EXPECT_GE(TMessageWindow::MaxUnfinishedBytes, qint64{TMessageWindow::MaxRecordBytes} + 12);
    auto endpoint = open("TestBytes");
    ASSERT_TRUE(endpoint);
    endpoint->OnReceive = [](const TMessageWindow::TReceived&) { return true; };
    constexpr qint64 limit = 100 * 1024;
    endpoint->SetLimits({64, 10000, limit});
    // Two peers announce a megabyte each and send 60 KB of it: the one that goes past the
    // limit is closed, the other is kept.
    auto first = connectTo(*endpoint);
    auto second = connectTo(*endpoint);
    first->write(header(1, 2, 1024 * 1024) + QByteArray(60 * 1024, 'a'));
    ASSERT_TRUE(eventually([&] { return endpoint->UnfinishedBytes() >= 60 * 1024; }));
    second->write(header(1, 2, 1024 * 1024) + QByteArray(60 * 1024, 'b'));
    ASSERT_TRUE(eventually([&] { return second->state() == QLocalSocket::UnconnectedState; }));
    EXPECT_LE(endpoint->UnfinishedBytes(), limit);
    EXPECT_EQ(first->state(), QLocalSocket::ConnectedState);
    EXPECT_EQ(endpoint->ConnectionCount(), 1);
    first->abort();
    EXPECT_TRUE(eventually([&] { return endpoint->ConnectionCount() == 0; }));
    EXPECT_EQ(endpoint->UnfinishedBytes(), 0);
}

TEST(InProcessTransport, SameContractWithinOneProcess) {
    TInProcessTransport transport;
    QString error;
    auto requester = transport.Open(error);
    auto answerer = transport.Open(error);
    ASSERT_TRUE(requester && answerer);
    EXPECT_NE(requester->Handle(), answerer->Handle());
    EXPECT_EQ(transport.Find("Cls", "Name"), 0);
    ASSERT_TRUE(answerer->Publish("Cls", "Name", error));
    EXPECT_EQ(transport.Find("Cls", "Name"), answerer->Handle());
    EXPECT_TRUE(transport.Exists(answerer->Handle()));

    QByteArray replied;
    requester->OnReceive = [&](const TMessageEndpoint::TReceived& r) {
        replied = r.Record;
        return true;
    };
    answerer->OnReceive = [&](const TMessageEndpoint::TReceived& r) {
        transport.Send(r.Sender, answerer->Handle(), 4097, "re:" + r.Record);
        return r.Kind != 13;
    };
    EXPECT_EQ(transport.Send(answerer->Handle(), requester->Handle(), 4100, "q"),
              TMessageTransport::TSendResult::Delivered);
    EXPECT_EQ(replied, "re:q"); // before the send returned
    EXPECT_EQ(transport.Send(answerer->Handle(), requester->Handle(), 13, "q"),
              TMessageTransport::TSendResult::Rejected);

    const std::int32_t gone = answerer->Handle();
    answerer.reset();
    EXPECT_FALSE(transport.Exists(gone));
    EXPECT_EQ(transport.Find("Cls", "Name"), 0);
    EXPECT_EQ(transport.Send(gone, requester->Handle(), 1, "x"),
              TMessageTransport::TSendResult::NoReceiver);
}

TEST(InstanceLock, OneHolderAtATime) {
    TInstanceLock::TState state;
    QString error;
    auto first = TInstanceLock::TryAcquire("TV_test_lock", state, error);
    ASSERT_EQ(state, TInstanceLock::TState::Acquired) << error.toStdString();
    ASSERT_TRUE(first);
    EXPECT_NE(first->Handle(), 0);
    auto second = TInstanceLock::TryAcquire("TV_test_lock", state, error);
    EXPECT_EQ(state, TInstanceLock::TState::HeldElsewhere);
    EXPECT_FALSE(second);
    first.reset();
    auto third = TInstanceLock::TryAcquire("TV_test_lock", state, error);
    EXPECT_EQ(state, TInstanceLock::TState::Acquired);
    EXPECT_EQ(TInstanceLock::PathOf("/f", "TV_a/b c.x"), "/f/lock-TV_a_b_c.x");
}
