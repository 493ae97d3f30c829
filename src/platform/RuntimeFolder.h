#pragma once
// The user's private runtime folder of the host link: where endpoints, name files and
// single-instance locks live. It is `$XDG_RUNTIME_DIR/tavimor` when XDG_RUNTIME_DIR names an
// existing folder, else `<temp>/tavimor-<uid>`; it is created 0700 and used only while it is
// this user's own real folder that nobody else can enter.

#include <QString>

class TRuntimeFolder {
public:
    // The folder, created on first use; empty, with `error` saying why, when it cannot be
    // made or is not private to this user.
    static QString Path(QString* error = nullptr);
    // A file of the folder: `folder` + "/" + `name`.
    static QString FileIn(const QString& folder, const QString& name);
};
