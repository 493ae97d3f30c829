#include "platform/Application.h"

#include "platform/MessageBox.h"

#include <QFont>

#include <cstdio>
#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SubstituteFonts();
}

void TApplication::SubstituteFonts() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowMessage(activeWindow(), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowMessage(activeWindow(), QStringLiteral("An unknown error occurred."));
    }
    return false;
}
