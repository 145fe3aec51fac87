// hearthvale-screenshot OUT.png: writes the picture software centres show of
// the program, made from the window itself (cardscreenshot.h).

#include "cardscreenshot.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hearthvale-screenshot OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!screenshot::cardScreenshot().save(out, "PNG")) {
        std::fprintf(stderr, "hearthvale-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
