#pragma once
// The desktop's shell as the program needs it: open a web address with the default handler,
// start a program with parameters. Tests put a recording shell in place of the real one.

#include <QString>

class IShell {
public:
    virtual ~IShell() = default;
    // The handler's answer is not used; opening is best effort.
    virtual void OpenUrl(const QString& url) = 0;
    // A result above 32 means started; 32 or less is an error code.
    virtual int StartProgram(const QString& program, const QString& parameters) = 0;

protected:
    IShell() = default;
    IShell(const IShell&) = default;
    IShell& operator=(const IShell&) = default;
};

// The shell in use: the desktop's own unless a test installed another.
IShell& Shell();
// Installs a shell (not owned); null puts the desktop's own back.
void SetShell(IShell* shell);
