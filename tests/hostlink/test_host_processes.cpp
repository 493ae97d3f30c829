// The host link between real processes: the courseware host of tools/ and the helper
// client. Each test gets its own runtime folder, so endpoints and locks of other tests
// never meet it. Every wait is bounded, and every process started is ended.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int WaitMs = 15000;

class Scene {
public:
    Scene() {
        env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("XDG_CONFIG_DIRS", config.path()); // no machine-wide host suffix
    }
    ~Scene() {
        for (auto& p : processes) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(WaitMs);
            }
        }
    }
    QProcess& start(const QString& program, const QStringList& args,
                    std::function<void()> inChild = {}) {
        processes.push_back(std::make_unique<QProcess>());
        QProcess& p = *processes.back();
        p.setProcessEnvironment(env);
        if (inChild)
            p.setChildProcessModifier(inChild);
        p.start(program, args);
        EXPECT_TRUE(p.waitForStarted(WaitMs)) << program.toStdString();
        return p;
    }
    QProcess& host(const QStringList& more = {}) {
        return start(PYTHON3, QStringList{COURSEWARE_HOST, "--suffix", "T1"} + more);
    }
    QProcess& client(const QStringList& args) { return start(HOSTLINK_CLIENT, args); }
    // A client that may hold at most `descriptors` open files.
    QProcess& limitedClient(const QStringList& args, rlim_t descriptors) {
        return start(HOSTLINK_CLIENT, args, [descriptors] {
            const rlimit limit{descriptors, descriptors};
            ::setrlimit(RLIMIT_NOFILE, &limit);
        });
    }
    QString folder() const { return runtime.path() + "/tavimor"; }
    // The runtime folder's files (sockets included), sorted.
    QStringList files() const {
        return QDir(folder()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir runtime;
    QTemporaryDir config;
    QProcessEnvironment env;
    std::vector<std::unique_ptr<QProcess>> processes;
};

// Reads lines until one starts with `prefix`; its text, or "<none>" after the wait.
QString lineStarting(QProcess& p, const QString& prefix) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < WaitMs) {
        while (p.canReadLine()) {
            const QString line = QString::fromUtf8(p.readLine()).trimmed();
            if (line.startsWith(prefix))
                return line;
        }
        if (p.state() == QProcess::NotRunning && !p.canReadLine())
            return "<none>";
        p.waitForReadyRead(200);
    }
    return "<none>";
}

void ask(QProcess& p, const QString& line) {
    p.write((line + "\n").toUtf8());
    p.waitForBytesWritten(WaitMs); // QProcess writes only when asked to or from its loop
}

bool endsWithZero(QProcess& p) {
    return p.waitForFinished(WaitMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString socketOf(const Scene& scene, const QString& handle) {
    return scene.folder() + QStringLiteral("/w%1").arg(handle.toUInt(), 8, 16, QLatin1Char('0'));
}

// Opens up to `count` idle connections to a socket; those the other side accepted or
// queued stay open.
std::vector<int> openConnections(const QString& path, int count) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(address.sun_path, native.constData(),
                std::min(sizeof address.sun_path - 1, static_cast<std::size_t>(native.size())));
    std::vector<int> open;
    for (int attempt = 0; attempt < 20 * count && static_cast<int>(open.size()) < count; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            break;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            open.push_back(fd);
        } else {
            ::close(fd);
            ::usleep(2000); // the queue is full, or the socket is being opened again
        }
    }
    return open;
}

// How many of the connections the other side has closed.
int closedByPeer(const std::vector<int>& fds) {
    int closed = 0;
    for (int fd : fds) {
        char byte;
        const ssize_t n = ::recv(fd, &byte, 1, MSG_DONTWAIT | MSG_PEEK);
        closed += (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) ? 1 : 0;
    }
    return closed;
}

// Has the host send parameters to a client until it acknowledges them.
bool paramsArrive(QProcess& host, QProcess& client, const QString& handle, const QString& items) {
    for (int attempt = 0; attempt < 30; ++attempt) {
        ask(host, "params " + handle + " prog|" + items); // item 0 is the program
        const QString sent = lineStarting(host, "sent 4101");
        if (sent == "sent 4101 1")
            return lineStarting(client, "params") == "params " + items;
        QTest::qWait(200);
    }
    return false;
}

} // namespace

TEST(HostProcesses, SecondInstanceWithoutHostEndsWithZero) {
    Scene scene;
    QProcess& first = scene.client({"a"});
    ASSERT_TRUE(lineStarting(first, "started").startsWith("started"));
    QProcess& second = scene.client({"b"});
    EXPECT_TRUE(endsWithZero(second));
    EXPECT_FALSE(QString::fromUtf8(second.readAllStandardOutput()).contains("started"));

    // A killed first instance does not block the next start.
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(WaitMs));
    QProcess& third = scene.client({"c"});
    EXPECT_TRUE(lineStarting(third, "started").startsWith("started"));
}

TEST(HostProcesses, ParametersReachTheFirstInstanceThroughTheHost) {
    Scene scene;
    QProcess& host = scene.host();
    ASSERT_TRUE(lineStarting(host, "ready").startsWith("ready"));
    QProcess& first = scene.client({"--use-server", "/serverhandle=t1", "one"});
    ASSERT_TRUE(lineStarting(first, "started").startsWith("started"));
    EXPECT_TRUE(lineStarting(host, "registered").endsWith("hostlink_client"));

    QProcess& second = scene.client({"/serverhandle=T1", "x y", "z"});
    EXPECT_TRUE(endsWithZero(second));
    EXPECT_EQ(lineStarting(first, "params"), "params x y|z");
}

TEST(HostProcesses, ServedDictionaryAndRequests) {
    Scene scene;
    QTemporaryDir served;
    QFile dictionary(served.path() + "/hostlink_client.itl");
    ASSERT_TRUE(dictionary.open(QIODevice::WriteOnly));
    dictionary.write("[Greeting]=Gr\xfc\xdf Gott|$$\r\n");
    dictionary.close();
    QProcess& host = scene.host({"--serve", served.path(), "--var", "Course=Statistics"});
    ASSERT_TRUE(lineStarting(host, "ready").startsWith("ready"));
    QProcess& client = scene.client({"--use-server", "--multi-start", "/serverhandle=t1"});
    ASSERT_TRUE(lineStarting(client, "started").startsWith("started"));

    ask(client, "translate Greeting");
    EXPECT_EQ(lineStarting(client, "translate="), QString::fromUtf8("translate=Grüß Gott"));
    ask(client, "var Course");
    EXPECT_EQ(lineStarting(client, "var="), "var=Statistics");
    ask(client, "query hello");
    EXPECT_EQ(lineStarting(client, "query="), "query=host: hello");
    ask(client, "find hostlink_client");
    EXPECT_TRUE(lineStarting(client, "found=").startsWith("found=") );
    ask(client, "find nobody");
    EXPECT_EQ(lineStarting(client, "found="), "found=none");
    ask(client, "execute /bin/sh|-c 'exit 3'|1");
    EXPECT_EQ(lineStarting(client, "execute="), "execute=0");
    ask(client, "execute /no/such/program||0");
    EXPECT_EQ(lineStarting(client, "error="), "error=Could not execute \"/no/such/program.\"");
}

TEST(HostProcesses, QuitWithAndWithoutServerDown) {
    Scene scene;
    QProcess& host = scene.host();
    ASSERT_TRUE(lineStarting(host, "ready").startsWith("ready"));

    // Refused: the program goes on and still answers.
    QProcess& stubborn = scene.client({"--use-server", "--multi-start", "--refuse-quit", "/serverhandle=t1"});
    const QString started = lineStarting(stubborn, "started");
    const QString handle = started.section(' ', 1, 1);
    ASSERT_FALSE(handle.isEmpty());
    ask(host, "quit " + handle + " 1");
    EXPECT_EQ(lineStarting(stubborn, "quit"), "quit serverdown=1");
    ask(stubborn, "paramstr 0");
    EXPECT_TRUE(lineStarting(stubborn, "paramstr=").endsWith("hostlink_client"));

    // Host going down: the program ends without unregistering.
    QProcess& leaving = scene.client({"--use-server", "--multi-start", "/serverhandle=t1"});
    const QString h2 = lineStarting(leaving, "started").section(' ', 1, 1);
    ask(host, "quit " + h2 + " 1");
    EXPECT_EQ(lineStarting(leaving, "quit"), "quit serverdown=1");
    EXPECT_TRUE(endsWithZero(leaving));
    // Only now a plain quit: this one says goodbye, and the host sees only that one.
    ask(host, "quit " + handle + " 0");
    EXPECT_EQ(lineStarting(stubborn, "quit"), "quit serverdown=0");
    ask(stubborn, "close");
    EXPECT_TRUE(endsWithZero(stubborn));
    EXPECT_EQ(lineStarting(host, "unregistered"), "unregistered " + handle);
    ask(host, "exit");
    ASSERT_TRUE(host.waitForFinished(WaitMs));
    EXPECT_FALSE(QString::fromUtf8(host.readAllStandardOutput()).contains("unregistered " + h2));
}

TEST(HostProcesses, SecondStartsLeaveTheFolderAsFoundAndReachTheFirst) {
    Scene scene;
    QProcess& first = scene.client({"a"});
    ASSERT_TRUE(lineStarting(first, "started").startsWith("started"));
    const QStringList before = scene.files();
    ASSERT_EQ(before.size(), 3) << before.join(' ').toStdString(); // socket, name, lock

    // Starts in a row: each hands its parameters to the first, which the window shows by
    // coming to the front, and ends with 0.
    for (const QString item : {"row1", "row2"}) {
        QProcess& again = scene.client({item});
        EXPECT_TRUE(endsWithZero(again));
        EXPECT_EQ(lineStarting(first, "params"), "params " + item);
    }
    // Starts at once.
    std::vector<QProcess*> together;
    for (int i = 0; i < 6; ++i)
        together.push_back(&scene.client({"together"}));
    for (QProcess* p : together)
        EXPECT_TRUE(endsWithZero(*p));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(lineStarting(first, "params"), "params together");
    EXPECT_EQ(scene.files(), before);

    // The first is still found, and answers.
    QProcess& last = scene.client({"last", "one"});
    EXPECT_TRUE(endsWithZero(last));
    EXPECT_EQ(lineStarting(first, "params"), "params last|one");
    EXPECT_EQ(scene.files(), before);
}

// A peer of the same user opens more connections than the client may hold files. The client
// keeps its socket and answers once the peer has gone.
TEST(HostProcesses, ManyConnectionsNeitherSilenceNorStrandTheClient) {
    Scene scene;
    QProcess& host = scene.host();
    ASSERT_TRUE(lineStarting(host, "ready").startsWith("ready"));
    // Above the connection limit: surplus connections are closed at once.
    QProcess& client = scene.limitedClient({"--multi-start", "/serverhandle=t1"}, 160);
    const QString handle = lineStarting(client, "started").section(' ', 1, 1);
    ASSERT_FALSE(handle.isEmpty());
    std::vector<int> peers = openConnections(socketOf(scene, handle), 250);
    EXPECT_EQ(peers.size(), 250u);
    QDeadlineTimer deadline(WaitMs);
    while (closedByPeer(peers) < 250 - 64 && !deadline.hasExpired())
        QTest::qWait(20);
    EXPECT_GE(closedByPeer(peers), 250 - 64);
    EXPECT_TRUE(QFile::exists(socketOf(scene, handle)));
    for (int fd : peers)
        ::close(fd);
    EXPECT_TRUE(paramsArrive(host, client, handle, "x|y"));

    // Below it: the client runs out of descriptors, its socket stops, and it listens again.
    // Not under the sanitizers: their checks need descriptors of their own, and report
    // every checked call as invalid while none is left.
#if defined(__SANITIZE_ADDRESS__)
    ask(client, "close");
    EXPECT_TRUE(endsWithZero(client));
    return;
#endif
    QProcess& starved = scene.limitedClient({"--multi-start", "/serverhandle=t1"}, 40);
    const QString h2 = lineStarting(starved, "started").section(' ', 1, 1);
    ASSERT_FALSE(h2.isEmpty());
    peers = openConnections(socketOf(scene, h2), 100);
    EXPECT_GE(peers.size(), 20u);
    for (int fd : peers)
        ::close(fd);
    const bool answered = paramsArrive(host, starved, h2, "z");
    EXPECT_TRUE(QFile::exists(socketOf(scene, h2)));

    ask(client, "close");
    ask(starved, "close");
    EXPECT_TRUE(endsWithZero(client));
    EXPECT_TRUE(endsWithZero(starved));
    EXPECT_FALSE(QString::fromUtf8(client.readAllStandardError()).contains("listens again"));
    const QString said = QString::fromUtf8(starved.readAllStandardError());
    EXPECT_TRUE(answered) << said.toStdString();
    EXPECT_TRUE(said.contains("listens again")) << said.toStdString();
}

// The system settings file is read only when it is a regular file.
TEST(HostProcesses, SettingsFileThatIsNoRegularFileIsNotRead) {
    Scene scene;
    QProcess& host = scene.host();
    ASSERT_TRUE(lineStarting(host, "ready").startsWith("ready"));
    const QString orvel = scene.config.path() + "/Orvel";
    ASSERT_TRUE(QDir().mkpath(orvel));
    const QString file = orvel + "/quenlor.conf";

    // A regular file names the host.
    QFile settings(file);
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[demon]\nViewerHandle=t1\n");
    settings.close();
    QProcess& named = scene.client({"--use-server", "--multi-start"});
    EXPECT_TRUE(lineStarting(named, "started").startsWith("started"));
    EXPECT_TRUE(lineStarting(host, "registered").endsWith("hostlink_client"));
    ask(named, "close");
    EXPECT_TRUE(endsWithZero(named));

    // A pipe, a folder and a device: the start goes on with the command line's suffix.
    const std::vector<std::function<bool()>> makers = {
        [&] { return ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0; },
        [&] { return QDir().mkdir(file); },
        [&] { return QFile::link("/dev/zero", file); },
    };
    for (const auto& make : makers) {
        QFile::remove(file);
        QDir().rmdir(file);
        ASSERT_TRUE(make());
        QProcess& client = scene.client({"--use-server", "--multi-start", "/serverhandle=t1"});
        EXPECT_TRUE(lineStarting(client, "started").startsWith("started"));
        ask(client, "close");
        EXPECT_TRUE(endsWithZero(client));
        EXPECT_TRUE(QString::fromUtf8(client.readAllStandardError()).contains("not a regular file"));
    }
}

// A host answers a request by first telling the client to quit: the client goes after the
// request has returned, which gives nothing.
TEST(HostProcesses, QuitBeforeTheReplyEndsTheClientAfterTheRequest) {
    Scene scene;
    QProcess& host = scene.host({"--quit-first"});
    ASSERT_TRUE(lineStarting(host, "ready").startsWith("ready"));
    QProcess& client = scene.client({"--multi-start", "/serverhandle=t1"});
    ASSERT_TRUE(lineStarting(client, "started").startsWith("started"));
    ask(client, "query hello");
    EXPECT_EQ(lineStarting(client, "quit"), "quit serverdown=1");
    EXPECT_EQ(lineStarting(client, "query="), "query=");
    EXPECT_EQ(lineStarting(client, "ended"), "ended");
    EXPECT_TRUE(endsWithZero(client));
}

// A dictionary the program may not read is passed over, here by a user who cannot read it.
TEST(HostProcesses, UnreadableDictionaryIsPassedOver) {
    Scene scene;
    QTemporaryDir root;
    const QString share = root.path() + "/share/lesson";
    ASSERT_TRUE(QDir().mkpath(share));
    ASSERT_TRUE(QDir().mkpath(root.path() + "/bin"));
    for (const QString& dir : {root.path(), root.path() + "/bin", root.path() + "/share", share})
        ::chmod(QFile::encodeName(dir).constData(), 0755);
    for (const char* name : {"lesson_de.itl", "lesson_en.itl"}) {
        QFile f(share + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[a]=b|$$\r\n");
    }
    ::chmod(QFile::encodeName(share + "/lesson_en.itl").constData(), 0644);
    ::chmod(QFile::encodeName(share + "/lesson_de.itl").constData(), 0);
    std::function<void()> asOther;
    if (::geteuid() == 0)
        asOther = [] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(9);
        };
    QProcess& p = scene.start(HOSTLINK_CLIENT,
                              {"--find-dictionary", root.path() + "/bin/lesson", "de_DE"}, asOther);
    EXPECT_EQ(lineStarting(p, "dictionary="),
              "dictionary=" + QFileInfo(share + "/lesson_en.itl").canonicalFilePath());
    EXPECT_TRUE(endsWithZero(p));
}
