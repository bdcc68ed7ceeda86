#include "tools/atlasgen/atlas.h"

#include "astro/projection.h"
#include "data/cp1252.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "tools/atlasgen/features.h"
#include "tools/atlasgen/indexpicture.h"
#include "tools/atlasgen/photos.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstring>
#include <cstdio>

bool writeGreyBmp(const QImage& picture, const QString& file, QString* error)
{
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    QList<QRgb> grey;
    for (int i = 0; i < 256; ++i)
        grey.append(qRgb(i, i, i));
    indexed.setColorTable(grey);
    // The writer copies whole scanlines, padding included: clear it (fill()
    // would stop at the width), or the file would carry whatever the memory held.
    std::memset(indexed.bits(), 0, std::size_t(indexed.sizeInBytes()));
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(indexed.scanLine(y), picture.constScanLine(y), std::size_t(picture.width()));
    if (!indexed.save(file, "BMP")) {
        *error = file + QStringLiteral(": cannot write");
        return false;
    }
    return true;
}

bool writeCp1252Text(const QString& text, const QString& file, QString* error)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(toCp1252(text)) < 0 || !f.commit()) {
        *error = file + QStringLiteral(": ") + f.errorString();
        return false;
    }
    return true;
}

bool viewSun(const ViewGeometry& view, Sun* sun)
{
    const QString name = QString::fromLatin1(view.imageFileName);
    const double centreLongitude = -view.longitudeShift;
    const bool firstQuarter = name == QLatin1String("maan_ek.bmp");
    if (!firstQuarter && name != QLatin1String("maan_lk.bmp"))
        return false;
    if (sun)
        *sun = Sun{0.0, centreLongitude + (firstQuarter ? 90.0 : -90.0)};
    return true;
}

namespace {
constexpr int BitmapMargin = 24;

// Brightness of a quarter view: albedo times the light, lifted so that the
// dim band along the terminator still shows its relief, as on a photograph
// exposed for the whole disc.
float quarterBrightness(const Surface& s, const LightMap& light, double lat, double lon)
{
    const float l = light.sample(lat, lon);
    if (l <= 0.f)
        return 0.f;
    return std::min(1.f, 1.15f * s.tone(s.albedo.sample(lat, lon)) * std::pow(std::min(1.f, l), 0.6f));
}

bool makeView(const Surface& s, const ViewGeometry& view, const QList<AtlasFeature>& candidates,
              const QSet<QString>& photographed, const QString& outDir, QList<AtlasFeature>* chosen,
              QSet<QString>* indexed, QStringList* report, QString* error)
{
    DiscFrame frame;
    frame.centreX = view.bitmapCentreX();
    frame.centreY = view.bitmapCentreY();
    frame.radius = view.bitmapRadius();
    frame.B = view.latitudeTilt;
    frame.L = view.longitudeShift;
    frame.height = int(std::lround(2 * frame.centreY));
    Sun sun;
    const bool quarter = viewSun(view, &sun);
    QImage picture;
    if (!quarter) {
        frame.width = int(std::lround(2 * frame.centreX));
        picture = renderDisc(frame, [&](double lat, double lon) { return s.tone(s.albedo.sample(lat, lon)); },
                             s.albedo.kmPerPixel());
    } else {
        LightMap light(s.normals, s.albedo.width(), s.albedo.height(), sun, s.shadingExaggeration, s.heightExaggeration);
        frame.width = int(std::ceil(frame.centreX + frame.radius)) + BitmapMargin;
        picture = renderDisc(frame, [&](double lat, double lon) { return quarterBrightness(s, light, lat, lon); },
                             s.albedo.kmPerPixel());
        const QRect lit = litBounds(picture);
        if (lit.left() < BitmapMargin / 2 || lit.top() < 1) {
            *error = QString::fromLatin1(view.imageFileName) + QStringLiteral(": lit part leaves the picture");
            return false;
        }
        picture = picture.copy(0, 0, lit.right() + 1 + BitmapMargin, frame.height);
    }
    const QString bmp = QDir(outDir).filePath(QString::fromLatin1(view.imageFileName));
    if (!writeGreyBmp(picture, bmp, error))
        return false;

    *chosen = chooseForView(candidates, view, quarter ? &sun : nullptr, picture.width(), picture.height(),
                            photographed, &picture);
    FeatureTable table;
    int slot = 1, landings = 0, impacts = 0, photos = 0, ridges = 0;
    for (const auto& f : *chosen) {
        double x, y;
        halfPixelPosition(view, f.latitude, f.longitude, &x, &y);
        table.slot(slot).setName(f.name);
        table.slot(slot).setPosition(x, y);
        ++slot;
        landings += f.typeCode == QLatin1String("LS");
        impacts += f.impact;
        photos += f.name.endsWith(QLatin1String(" *"));
        ridges += f.typeCode == QLatin1String("DO");
        indexed->insert(plainName(hasPhotographMark(f.name) ? f.name.chopped(2) : f.name));
    }
    const QString dat = QDir(outDir).filePath(indexFileNameFor(QString::fromLatin1(view.imageFileName)));
    try {
        table.opslaan(dat);
    } catch (const std::exception& e) {
        *error = QString::fromLocal8Bit(e.what());
        return false;
    }
    report->append(QStringLiteral("%1: %2 x %3 pixels, %4 features, %5 slots free (%6 landing sites of which %7 "
                                  "impacts, %8 with photographs, %9 ridges)")
                       .arg(QString::fromLatin1(view.imageFileName))
                       .arg(picture.width())
                       .arg(picture.height())
                       .arg(chosen->size())
                       .arg(FeatureTableSize - chosen->size())
                       .arg(landings)
                       .arg(impacts)
                       .arg(photos)
                       .arg(ridges));
    return true;
}
}

bool generateAtlas(const AtlasSources& sources, const QString& outputDir, QString* error)
{
    Surface s;
    if (!loadAlbedo(sources.albedoFile, &s.albedo, error))
        return false;
    if (!s.normals.load(sources.normalsFile)) {
        *error = sources.normalsFile + QStringLiteral(": cannot read");
        return false;
    }
    s.tone = fitTone(s.albedo);
    const QList<GazetteerEntry> gazetteer = readGazetteer(sources.gazetteerFile, error);
    if (gazetteer.isEmpty()) {
        if (error->isEmpty())
            *error = sources.gazetteerFile + QStringLiteral(": no lunar features");
        return false;
    }
    QStringList notes, report;
    const QList<AtlasFeature> candidates = atlasCandidates(gazetteer, &notes);
    const QList<PhotoEntry> photoTable = readPhotoTable(sources.photoTableFile, error);
    if (photoTable.isEmpty()) {
        if (error->isEmpty())
            *error = sources.photoTableFile + QStringLiteral(": no photographs listed");
        return false;
    }
    QSet<QString> photographed;
    for (const auto& p : photoTable)
        photographed.insert(p.name);

    if (!QDir().mkpath(outputDir)) {
        *error = outputDir + QStringLiteral(": cannot create");
        return false;
    }
    QSet<QString> indexed;
    QList<AtlasFeature> fullMoonIndex;
    for (int v = 0; v < ViewCount; ++v) {
        const ViewGeometry& view = viewGeometries()[v];
        QList<AtlasFeature> chosen;
        if (!makeView(s, view, candidates, photographed, outputDir, &chosen, &indexed, &report, error))
            return false;
        if (!viewSun(view, nullptr))
            fullMoonIndex = chosen;
    }
    if (!makeIndexPicture(s, fullMoonIndex, outputDir, &report, error))
        return false;
    if (!makePhotographs(s, photoTable, gazetteer, indexed, outputDir, &report, error))
        return false;

    for (const auto& line : notes + report)
        std::fprintf(stdout, "%s\n", qPrintable(line));
    return true;
}
