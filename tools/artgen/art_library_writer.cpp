// artgen --library FILE OUT_DIR: draws the pictures of one picture library into OUT_DIR, as
// NAME.png or NAME.jpg, and writes OUT_DIR/library.qrc, which lists them at the root prefix
// under their bare names, for rcc --binary to pack into FILE.

#include "art_library_writer.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>
#include <cstdio>

#include "art_library.h"

namespace orvala::artgen {

int writeLibrary(const QString& file, const QString& outDir) {
    const std::vector<LibraryPicture> pictures = libraryPictures(file);
    if (pictures.empty()) {
        std::fprintf(stderr, "artgen: no library named %s (known: %s)\n", qPrintable(file),
                     qPrintable(libraryFiles().join(", ")));
        return 2;
    }
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "artgen: cannot make %s\n", qPrintable(outDir));
        return 1;
    }
    QString qrc = "<RCC>\n  <qresource prefix=\"/\">\n";
    for (const LibraryPicture& pic : pictures) {
        const QString name = pic.name + (pic.jpeg ? ".jpg" : ".png");
        QImageWriter writer(outDir + "/" + name, pic.jpeg ? "jpeg" : "png");
        if (pic.jpeg) writer.setQuality(80);
        if (!writer.write(pic.draw())) {
            std::fprintf(stderr, "artgen: cannot write %s: %s\n", qPrintable(outDir + "/" + name),
                         qPrintable(writer.errorString()));
            return 1;
        }
        qrc += "    <file alias=\"" + pic.name + "\">" + name + "</file>\n";
    }
    qrc += "  </qresource>\n</RCC>\n";
    QSaveFile f(outDir + "/library.qrc");
    if (!f.open(QIODevice::WriteOnly) || f.write(qrc.toUtf8()) < 0 || !f.commit()) {
        std::fprintf(stderr, "artgen: cannot write library.qrc\n");
        return 1;
    }
    return 0;
}

}  // namespace orvala::artgen
