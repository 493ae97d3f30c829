// A small program around one host-link client, for the process tests: it reports the
// client's events on standard output and carries out requests read from standard input.
//
//   hostlink_client [--use-server] [--multi-start] [--refuse-quit] [--title T] [args...]
//   hostlink_client --find-dictionary EXECUTABLE LOCALE   (prints "dictionary=PATH" and ends)
//
// Requests, one per line: "var NAME", "query TEXT", "resolve NAME", "find TITLE",
// "execute PROGRAM|PARAMS|WAIT", "paramstr N", "translate KEY", "close".

#include "hostlink/ETavimor.h"
#include "hostlink/KdbDemonClient.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qUtf8Printable(line));
    std::fflush(stdout);
}

QString run(TkdbDemonClient& client, const QString& line) {
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("var"))
        return QStringLiteral("var=") + client.GetServerVariable(rest);
    if (verb == QLatin1String("query"))
        return QStringLiteral("query=") + client.QueryServerText(rest);
    if (verb == QLatin1String("resolve"))
        return QStringLiteral("resolve=") + client.ResolveFileName(rest);
    if (verb == QLatin1String("find")) {
        const auto entity = client.FindEntityByTitle(rest);
        return entity ? QStringLiteral("found=%1").arg(entity->Window) : QStringLiteral("found=none");
    }
    if (verb == QLatin1String("execute")) {
        const QStringList parts = rest.split(QLatin1Char('|'));
        if (parts.size() != 3)
            return QStringLiteral("error=execute wants PROGRAM|PARAMS|WAIT");
        return QStringLiteral("execute=%1").arg(
            client.ExecuteProgram(parts[0], parts[1], parts[2] == QLatin1String("1"), 0));
    }
    if (verb == QLatin1String("paramstr"))
        return QStringLiteral("paramstr=") + client.ParamStr(rest.toInt());
    if (verb == QLatin1String("translate"))
        return QStringLiteral("translate=") + client.Engine().Translate(rest);
    return QStringLiteral("error=unknown request");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--find-dictionary")) {
        say(QStringLiteral("dictionary=") +
            TkdbCustomDemon::FindDictionaryFile(arguments.at(2), arguments.at(3)));
        return 0;
    }
    bool useServer = false, multiStart = false, refuseQuit = false;
    QString title = QStringLiteral("hostlink_client");
    QStringList kept{arguments.value(0)};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--use-server"))
            useServer = true;
        else if (a == QLatin1String("--multi-start"))
            multiStart = true;
        else if (a == QLatin1String("--refuse-quit"))
            refuseQuit = true;
        else if (a == QLatin1String("--title") && i + 1 < arguments.size())
            title = arguments.at(++i);
        else
            kept.append(a);
    }
    app.setApplicationName(title);

    QObject owner;
    QPointer<TkdbDemonClient> client;
    try {
        client = new TkdbDemonClient(&owner, kept);
        client->SetUseQuenlorServer(useServer);
        client->SetMultiStart(multiStart);
        client->OnParamsChange = [&](QObject*) {
            QStringList items;
            for (int i = 1; i <= client->ParamCount(); ++i)
                items << client->ParamStr(i);
            say(QStringLiteral("params ") + items.join(QLatin1Char('|')));
        };
        client->OnQuitMsgReceived = [&](QObject*, bool serverDown, bool& allow) {
            say(QStringLiteral("quit serverdown=%1").arg(serverDown ? 1 : 0));
            if (refuseQuit)
                allow = false;
        };
        client->Loaded();
    } catch (const std::exception& e) {
        say(QStringLiteral("error=") + QString::fromLocal8Bit(e.what()));
        return 3;
    }
    QStringList items;
    for (int i = 1; i <= client->ParamCount(); ++i)
        items << client->ParamStr(i);
    say(QStringLiteral("started %1 params=%2").arg(client->OwnEntity().Window).arg(items.join(QLatin1Char('|'))));

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            return;
        }
        for (const QString& raw : QString::fromUtf8(buffer, static_cast<qsizetype>(n)).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || !client)
                continue;
            if (line == QLatin1String("close")) {
                delete client.data();
                continue;
            }
            try {
                say(run(*client, line));
            } catch (const std::exception& e) {
                say(QStringLiteral("error=") + QString::fromLocal8Bit(e.what()));
            }
        }
    });
    const int code = app.exec();
    say(QStringLiteral("ended"));
    return code;
}
