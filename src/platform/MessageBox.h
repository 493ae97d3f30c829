#pragma once
// Modal message boxes, behind one function so that tests can read the messages instead of
// being blocked by a dialog.

#include <QString>

#include <functional>

class QWidget;

using TMessageHandler = std::function<void(QWidget* parent, const QString& text)>;

// Shows `text` in a modal box over `parent` (or hands it to the installed handler).
void ShowMessage(QWidget* parent, const QString& text);
// Installs a handler in place of the dialog; an empty handler puts the dialog back.
void SetMessageHandler(TMessageHandler handler);
