#pragma once
// TApplication, the program's QApplication: an error that reaches the event loop is shown
// in a modal message box with its message, and the program goes on. It also maps the
// layouts' font names onto fonts this system has.

#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // "MS Sans Serif" and "Arial" become Liberation Sans, "Courier New" Liberation Mono.
    static void SubstituteFonts();
};
