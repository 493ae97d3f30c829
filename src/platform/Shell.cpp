#include "platform/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {

class TDesktopShell : public IShell {
public:
    void OpenUrl(const QString& url) override {
        QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
    }
    int StartProgram(const QString& program, const QString& parameters) override {
        // Started detached, as the desktop would; 2 says "file not found" when it cannot be.
        return QProcess::startDetached(program, QProcess::splitCommand(parameters)) ? 33 : 2;
    }
};

IShell* installed = nullptr;

} // namespace

IShell& Shell() {
    static TDesktopShell desktop;
    return installed != nullptr ? *installed : desktop;
}

void SetShell(IShell* shell) { installed = shell; }
