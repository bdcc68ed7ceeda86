#pragma once
#include <QString>

#include "tools/atlasgen/render.h"
#include "tools/atlasgen/surface.h"

struct AtlasSources {
    QString albedoFile;
    QString normalsFile;
    QString gazetteerFile;
    QString photoTableFile;
};

// What every picture is made from.
struct Surface {
    GreyMap albedo;
    NormalMap normals;
    Tone tone;
    // The stored normals are smoothed over 10 km: steepening them for the
    // shading brings crater walls near what the terminator shows, while the
    // heights integrated from them already match known crater depths.
    double shadingExaggeration = 1.6;
    double heightExaggeration = 0.9;
    // Under the main photographs' middling sun the smoothed slopes shade too
    // weakly for old, worn craters such as Hipparchus to read at a glance.
    double mainShadingExaggeration = 2.5;
};

struct ViewGeometry;

// The sun of a view: none at full moon (false); at the quarters the terminator
// runs down the middle of the disc, the lit half towards the sun. `sun` may be
// null to ask only whether the view has one.
bool viewSun(const ViewGeometry& view, Sun* sun);

// Writes the whole data set into outputDir.
bool generateAtlas(const AtlasSources& sources, const QString& outputDir, QString* error);

// Writes an 8-bit greyscale picture as a BMP with a grey palette.
bool writeGreyBmp(const QImage& picture, const QString& file, QString* error);
// Writes Windows-1252 text.
bool writeCp1252Text(const QString& text, const QString& file, QString* error);
