// artgen OUT_DIR: writes every built-in picture as OUT_DIR/NAME.png and the resource list
// OUT_DIR/art.qrc that compiles them into the game (as ":/art/NAME").
// artgen --library FILE OUT_DIR: the pictures of one optional picture library and its
// OUT_DIR/library.qrc (see art_library_writer.h).
// artgen --icons DIR: the program's icon in the desktop's sizes, as DIR/SIZExSIZE/apps/orvala.png.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "art_icon.h"
#include "art_library_writer.h"
#include "art_painter.h"

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--library") {
        QGuiApplication app(argc, argv);
        return orvala::artgen::writeLibrary(QString::fromLocal8Bit(argv[2]),
                                            QString::fromLocal8Bit(argv[3]));
    }
    if (argc == 3 && QByteArray(argv[1]) == "--icons") {
        QGuiApplication app(argc, argv);
        if (orvala::artgen::writeIcons(QString::fromLocal8Bit(argv[2]))) return 0;
        std::fprintf(stderr, "artgen: cannot write the icons into %s\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(
            stderr, "usage: artgen OUT_DIR | artgen --library FILE OUT_DIR | artgen --icons DIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QString qrc = "<RCC>\n  <qresource prefix=\"/art\">\n";
    for (const auto& p : orvala::artgen::allPictures()) {
        const QString file = p.name + ".png";
        if (!p.image.save(out + "/" + file, "PNG")) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(out + "/" + file));
            return 1;
        }
        qrc += "    <file alias=\"" + p.name + "\">" + file + "</file>\n";
    }
    qrc += "  </qresource>\n</RCC>\n";
    QFile f(out + "/art.qrc");
    if (!f.open(QIODevice::WriteOnly) || f.write(qrc.toUtf8()) < 0) {
        std::fprintf(stderr, "artgen: cannot write art.qrc\n");
        return 1;
    }
    return 0;
}
