// A second floor for the start-up benchmark: the bare window with one line
// of text. Drawing any text at all brings in the font machinery (fontconfig,
// FreeType, HarfBuzz), which the bare window never touches.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window with text"));
    window.setFixedSize(638, 478);
    QLabel label(QStringLiteral("Generate!"), &window);
    window.show();
    return app.exec();
}
