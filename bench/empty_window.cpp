// A floor for the start-up benchmark: the least a Qt Widgets program does to
// show a main window with Tokivane's title and its one menu item, built with
// the same compiler and flags. The item's caption is Japanese, so this
// program loads a font for it much as Tokivane does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tokivane"));
    window.menuBar()->addAction(QStringLiteral("終了"));
    window.show();
    return app.exec();
}
