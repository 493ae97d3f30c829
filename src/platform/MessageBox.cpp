#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
TMessageHandler& handler() {
    static TMessageHandler installed;
    return installed;
}
} // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    if (handler()) {
        handler()(parent, text);
        return;
    }
    QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

void SetMessageHandler(TMessageHandler h) { handler() = std::move(h); }
