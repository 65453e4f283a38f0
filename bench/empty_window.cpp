// The floor for the start-up benchmark: the least a Qt Widgets program does
// to show a main window, built with the same compiler and flags as Tokivane.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.show();
    return app.exec();
}
