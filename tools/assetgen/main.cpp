// hearthvale-assetgen: draws the window background, the program icons and
// the Windows installer's pictures from code, so that every picture the
// program ships can be rebuilt from source and checked against the
// committed copy.
//
// The work is split by what is drawn: drawing.h (noise, colour, light,
// curves), shadowlayer.h, scene.h (the painters of the neighbourhood),
// panels.h (what the window's controls sit on), background.h (putting the
// picture together), icon.h, installer.h and writers.h (the files).

#include "background.h"
#include "icon.h"
#include "installer.h"
#include "writers.h"

#include <QDir>
#include <QString>

#include <cstdio>

using namespace assetgen;

int main(int argc, char **argv)
{
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr,
                     "usage: hearthvale-assetgen OUTDIR\n"
                     "Draws background.bmp, background@2x.bmp, hearthvale.ico, icons/{16,32,48,128}.png and\n"
                     "installer/{welcome.bmp,header.bmp,uninstall.ico} into OUTDIR.\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QDir dir(outDir);
    for (const QString &folder : {QStringLiteral("icons"), QStringLiteral("installer")}) {
        if (!dir.mkpath(folder)) {
            complain(QStringLiteral("cannot create the folder %1").arg(dir.filePath(folder)));
            return 1;
        }
    }

    const PixelIcon icon16 = smallIcon();
    const PixelIcon icon32 = drawIcon(32);
    const PixelIcon icon48 = drawIcon(48);
    const PixelIcon icon128 = drawIcon(128);
    const QImage landscape = renderLandscape(1);

    // The window shows background.bmp on ordinary screens and the one with
    // twice the pixels each way where the screen has them.
    const bool ok = writeImage(dir.filePath(QStringLiteral("background.bmp")), renderBackground(1), "BMP")
        && writeImage(dir.filePath(QStringLiteral("background@2x.bmp")), renderBackground(2), "BMP")
        && writeBytes(dir.filePath(QStringLiteral("hearthvale.ico")), icoFile({icon32, icon16}))
        && writeImage(dir.filePath(QStringLiteral("icons/16.png")), iconImage(icon16), "PNG")
        && writeImage(dir.filePath(QStringLiteral("icons/32.png")), iconImage(icon32), "PNG")
        && writeImage(dir.filePath(QStringLiteral("icons/48.png")), iconImage(icon48), "PNG")
        && writeImage(dir.filePath(QStringLiteral("icons/128.png")), iconImage(icon128), "PNG")
        && writeImage(dir.filePath(QStringLiteral("installer/welcome.bmp")), welcomePicture(landscape), "BMP")
        && writeImage(dir.filePath(QStringLiteral("installer/header.bmp")), headerPicture(landscape), "BMP")
        && writeBytes(dir.filePath(QStringLiteral("installer/uninstall.ico")),
                      icoFile({removalIcon(icon32), removalIcon(icon16)}));
    return ok ? 0 : 1;
}
