// Generates the atlas data set: the three view bitmaps and their indexes, the
// photographs with their explanations, the atlas index picture with its sheet
// titles, and the title-screen Moon.
//
//   atlasgen <textures dir> <gazetteer text> <photo table> <output dir>

#include "tools/atlasgen/atlas.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: atlasgen <textures dir> <gazetteer text> <photo table> <output dir>\n");
        return 2;
    }
    AtlasSources sources;
    sources.albedoFile = QDir(args[1]).filePath(QStringLiteral("moon_4k.jpg"));
    sources.normalsFile = QDir(args[1]).filePath(QStringLiteral("moon_normals.png"));
    sources.gazetteerFile = args[2];
    sources.photoTableFile = args[3];
    QString error;
    if (!generateAtlas(sources, args[4], &error)) {
        std::fprintf(stderr, "atlasgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
