// hearthvale-assetgen: draws the window background, the program icons and
// the Windows installer's pictures from code, so that every picture the
// program ships can be rebuilt from source and checked against the
// committed copy.
//
// The work is split by what is drawn: drawing.h (noise, colour, light,
// curves), shadowlayer.h, scene.h (the painters of the neighbourhood),
// panels.h (what the window's controls sit on), background.h (putting the
// picture together), icon.h, installer.h, writers.h and assetfiles.h (the
// files).

#include "assetfiles.h"
#include "writers.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cstdio>

using namespace assetgen;

int main(int argc, char **argv)
{
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr,
                     "usage: hearthvale-assetgen OUTDIR\n"
                     "Draws the background pictures and the icons into OUTDIR.\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const std::vector<AssetFile> files = drawAssetFiles();
    if (files.empty()) {
        complain(QStringLiteral("a picture could not be encoded"));
        return 1;
    }
    for (const AssetFile &file : files) {
        const QString path = dir.filePath(file.path);
        if (!dir.mkpath(QFileInfo(path).path())) {
            complain(QStringLiteral("cannot create the folder %1").arg(QFileInfo(path).path()));
            return 1;
        }
        if (!writeBytes(path, file.bytes))
            return 1;
    }
    return 0;
}
