// Turns the PNG lithology tiles into the BMP files of the "Patterns" folder: one file per
// lithology, named exactly as the lithology, without extension.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lithora_make_patterns TILE_DIR OUT_DIR\n");
        return 2;
    }
    QDir in(QString::fromLocal8Bit(argv[1]));
    QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    const auto tiles = in.entryInfoList({"*.png"}, QDir::Files, QDir::Name);
    int made = 0;
    for (const QFileInfo& tile : tiles) {
        QImage image(tile.filePath());
        if (image.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(tile.filePath()));
            return 1;
        }
        const QString target = out.filePath(tile.completeBaseName());
        if (!image.convertToFormat(QImage::Format_RGB32).save(target, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
            return 1;
        }
        ++made;
    }
    return made > 0 ? 0 : 1;
}
