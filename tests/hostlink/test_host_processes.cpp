// The host link between real processes: the courseware host of tools/ and the helper
// client. Each test gets its own runtime folder, so endpoints and locks of other tests
// never meet it. Every wait is bounded.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

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
    QProcess& start(const QString& program, const QStringList& args) {
        processes.push_back(std::make_unique<QProcess>());
        QProcess& p = *processes.back();
        p.setProcessEnvironment(env);
        p.start(program, args);
        EXPECT_TRUE(p.waitForStarted(WaitMs)) << program.toStdString();
        return p;
    }
    QProcess& host(const QStringList& more = {}) {
        return start(PYTHON3, QStringList{COURSEWARE_HOST, "--suffix", "T1"} + more);
    }
    QProcess& client(const QStringList& args) { return start(HOSTLINK_CLIENT, args); }

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
