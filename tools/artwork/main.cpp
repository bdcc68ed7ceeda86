// Draws the program's own pictures into resources/: the mascot and the author
// picture kept with their windows, and the desktop icon as SVG and 128 px PNG.
#include "tools/artwork/artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork <resources folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = drawMascot().save(out.filePath(QStringLiteral("vokman.png")), "PNG")
        && drawAuthorPicture().save(out.filePath(QStringLiteral("auteur.png")), "PNG")
        && drawIcon(128).save(out.filePath(QStringLiteral("selvanor.png")), "PNG");
    QFile svg(out.filePath(QStringLiteral("selvanor.svg")));
    ok = ok && svg.open(QIODevice::WriteOnly | QIODevice::Truncate) && svg.write(iconSvg().toUtf8()) > 0;
    svg.close();
    if (!ok) {
        std::fprintf(stderr, "artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
