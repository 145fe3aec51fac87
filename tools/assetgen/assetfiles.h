// Every file the generator draws, by its path under assets/, as the bytes
// that go on disk. The generator writes them out; the reproducibility test
// draws them afresh in memory and compares them with the committed copies.

#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace assetgen {

struct AssetFile {
    QString path; // relative to assets/
    QByteArray bytes;
};

// Empty if an image could not be encoded.
std::vector<AssetFile> drawAssetFiles();

} // namespace assetgen
