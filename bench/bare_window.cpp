// The yardstick for the program's start-up: a bare window of the main window's size at start,
// shown and saved as a PNG the way the program saves its first frame, and nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QWidget window;
    window.resize(666, 538);
    window.show();
    return window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
