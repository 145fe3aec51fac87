// The floor for the start-up benchmark: the least a Qt Widgets program of
// the same size does to put a window on the screen.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(638, 478);
    window.show();
    return app.exec();
}
