#pragma once
// Application cursors by number, loaded by name from the program's resources, and the one
// application-wide cursor that the charts set (Qt's override cursor).

#include <QCursor>
#include <QString>

// Loads the cursor image ":/cursors/" + name and registers it as application cursor
// `number`. A missing image registers the standard arrow.
void RegisterCursor(int number, const QString& name);
// The registered cursor, or the standard arrow for a number never registered.
QCursor ApplicationCursor(int number);
// Makes `cursor` the cursor of the whole application.
void SetApplicationCursor(const QCursor& cursor);
