// Draws the program's own pictures into resources/: the mascot and the author
// picture kept with their windows, and the desktop icon as SVG and 128 px PNG.
#include "tools/artwork/artwork.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork <resources folder>\n");
        return 2;
    }
    if (!writeArtwork(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
