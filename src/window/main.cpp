#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Hearthvale Neighborhood Name Generator"));
    window.setFixedSize(638, 478);
    window.show();
    return app.exec();
}
