#include <QtTest>

#include "astro/projection.h"
#include "data/cp1252.h"
#include "data/featurenames.h"
#include "data/featuretable.h"
#include "tests/common/workdir.h"
#include "tools/atlasgen/features.h"
#include "tools/atlasgen/gazetteer.h"
#include "tools/atlasgen/indexpicture.h"
#include "tools/atlasgen/landings.h"
#include "tools/atlasgen/atlas.h"
#include "tools/atlasgen/photos.h"
#include "tools/atlasgen/wellknown.h"
#include "astro/atlassheets.h"

#include <QImage>

namespace {
struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
};

// Reads the frame header of a JPEG file without decoding it.
bool readJpegInfo(const QByteArray& bytes, JpegInfo* info)
{
    if (bytes.size() < 4 || uchar(bytes[0]) != 0xFF || uchar(bytes[1]) != 0xD8)
        return false;
    qsizetype i = 2;
    while (i + 4 <= bytes.size()) {
        if (uchar(bytes[i]) != 0xFF)
            return false;
        const int marker = uchar(bytes[i + 1]);
        const int length = (uchar(bytes[i + 2]) << 8) | uchar(bytes[i + 3]);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            if (i + 10 > bytes.size())
                return false;
            info->height = (uchar(bytes[i + 5]) << 8) | uchar(bytes[i + 6]);
            info->width = (uchar(bytes[i + 7]) << 8) | uchar(bytes[i + 8]);
            info->components = uchar(bytes[i + 9]);
            info->progressive = marker == 0xC2;
            return true;
        }
        i += 2 + length;
    }
    return false;
}

QString atlasFile(const QString& name)
{
    return TestWorkDir::atlasDir() + QLatin1Char('/') + name;
}

QList<FeatureRecord> recordsOf(const QString& indexFile)
{
    FeatureTable table;
    table.leesnamen(atlasFile(indexFile));
    QList<FeatureRecord> out;
    for (int i = 1; i <= FeatureTableSize; ++i)
        if (table.slot(i).inUse())
            out.append(table.slot(i));
    return out;
}

// Half-pixel position of a surface point in a view: the same projection the
// program's grid and read-out use.
QPointF expectedPosition(const char* view, double latitude, double longitude)
{
    const ViewGeometry* v = viewGeometryFor(QString::fromLatin1(view));
    double x, y;
    projectOrthographic(latitude, longitude, v->latitudeTilt, v->longitudeShift, &x, &y);
    return {2 * (v->bitmapCentreX() + v->bitmapRadius() * x), 2 * (v->bitmapCentreY() - v->bitmapRadius() * y)};
}

bool hasKindTheProgramReads(const QString& name)
{
    if (isCraterName(name) || name.contains(QLatin1String("Landing")))
        return true;
    for (const char* word : {"Mare", "Oceanus", "Lacus", "Sinus", "Palus", "Mons", "Montes", "Mont ", "Rupes",
                             "Rima ", "Rimae", "Catena", "Vallis", "Promontorium", "Dorsa ", "Dorsum ", "Reiner Gamma"})
        if (name.contains(QLatin1String(word)))
            return true;
    return false;
}

const char* const kViews[] = {"maan_ek.bmp", "maan_vm.bmp", "maan_lk.bmp"};
const char* const kSeaWords[] = {"Mare ", "Oceanus ", "Sinus ", "Lacus ", "Palus "};

QSet<QString> plainNamesOf(const QString& indexFile)
{
    QSet<QString> out;
    for (const auto& r : recordsOf(indexFile)) {
        const QString name = r.name();
        out.insert(plainName(hasPhotographMark(name) ? name.chopped(2) : name));
    }
    return out;
}

AtlasFeature crater(const QString& name, double lat, double lon, double km, const char* code = "AA")
{
    AtlasFeature f;
    f.name = name;
    f.typeCode = QString::fromLatin1(code);
    f.latitude = lat;
    f.longitude = lon;
    f.diameterKm = km;
    return f;
}

// Angular distance between two surface points, in degrees.
double degreesApart(double lat1, double lon1, double lat2, double lon2)
{
    return std::acos(std::clamp(surfaceUp(lat1, lon1).dot(surfaceUp(lat2, lon2)), -1.0, 1.0)) * RadToDeg;
}
}

class TestAtlas : public QObject {
    Q_OBJECT
private slots:
    // --- the generator's rules -------------------------------------------

    void projectionRoundTrip()
    {
        for (int v = 0; v < ViewCount; ++v) {
            const ViewGeometry& g = viewGeometries()[v];
            for (double lat = -80; lat <= 80; lat += 10) {
                for (double lon = -80; lon <= 80; lon += 10) {
                    double x, y, lat2, lon2;
                    if (projectOrthographic(lat, lon, g.latitudeTilt, g.longitudeShift, &x, &y) <= 0)
                        continue;   // behind the limb
                    const double px = g.bitmapCentreX() + g.bitmapRadius() * x;
                    const double py = g.bitmapCentreY() - g.bitmapRadius() * y;
                    QVERIFY(unprojectOrthographic((px - g.bitmapCentreX()) / g.bitmapRadius(),
                                                  (g.bitmapCentreY() - py) / g.bitmapRadius(), g.latitudeTilt,
                                                  g.longitudeShift, &lat2, &lon2));
                    QVERIFY2(std::abs(lat - lat2) < 1e-9 && std::abs(lon - lon2) < 1e-9,
                             qPrintable(QStringLiteral("%1 %2 %3").arg(g.imageFileName).arg(lat).arg(lon)));
                }
            }
        }
        // East is to the right, north up; the full-moon centre is at 1 S, 4.8 W.
        const QPointF crisium = expectedPosition("maan_vm.bmp", 17, 59);
        QVERIFY(crisium.x() > 1144 && crisium.y() < 1090);
        const QPointF centre = expectedPosition("maan_vm.bmp", -1.0, -4.8);
        QVERIFY(std::abs(centre.x() - 1144) < 1e-9 && std::abs(centre.y() - 1090) < 1e-9);
    }

    void namesFollowTheProgramsConventions()
    {
        // Craters become one word the program reads as a crater, with the
        // blanks kept visible as no-break spaces.
        const QString fraMauro = atlasName(QStringLiteral("Fra Mauro"), true);
        QCOMPARE(fraMauro, QStringLiteral("Fra\u00A0Mauro"));
        QVERIFY(isCraterName(fraMauro));
        QCOMPARE(plainName(fraMauro), QStringLiteral("Fra Mauro"));
        QVERIFY(!isCraterName(atlasName(QStringLiteral("Mare Crisium"), false)));
        // Letters outside Windows-1252 lose their accent; those inside keep it.
        QCOMPARE(atlasName(QStringLiteral("Bečvář"), true), QStringLiteral("Becvár"));
        QCOMPARE(atlasName(QStringLiteral("Mohorovičić"), true), QStringLiteral("Mohorovicic"));
        QCOMPARE(atlasName(QStringLiteral("Armiński"), true), QStringLiteral("Arminski"));
        QCOMPARE(atlasName(QStringLiteral("Vallis Schrödinger"), false), QStringLiteral("Vallis Schrödinger"));
        QCOMPARE(atlasName(QStringLiteral("Łomonosov"), true), QStringLiteral("Lomonosov"));
        // Alternative spellings in parentheses are dropped.
        QCOMPARE(atlasName(QStringLiteral("Bellinsgauzen (Bellingshausen)"), true), QStringLiteral("Bellinsgauzen"));
        QCOMPARE(atlasName(QStringLiteral("Catena Leuschner (GDL)"), false), QStringLiteral("Catena Leuschner"));
    }

    void gazetteerAndCandidates()
    {
        TestWorkDir dir;
        QVERIFY(writeWholeFile(dir.filePath("g.txt"),
                               "# Format: comment lines\n"
                               "# TRANSLATORS: (Moon); Nicolaus; Polish astronomer (1473-1543).\n"
                               "Moon\t1296\t_(\"Copernicus\",\"crater\")\tAA\t9.620900\t339.921400\t96.0699\n"
                               "Moon\t9\t_(\"Copernicus A\",\"satellite feature\")\tSF\t9.5\t338.9\t3\n"
                               "# TRANSLATORS: (Moon); \"Sea of Crises.\"\n"
                               "Moon\t3671\t_(\"Mare Crisium\",\"mare\")\tME\t16.1774\t59.1037\t555.921\n"
                               "Mars\t1\t_(\"Tycho\",\"crater\")\tAA\t1\t2\t3\n"
                               "Moon\tbroken line\n"
                               "Moon\t2\t_(\"Maremma\",\"crater\")\tAA\t0\t0\t200\n"
                               "Moon\t3\t_(\"Dorsa Smirnov\",\"dorsum\")\tDO\t26.4\t25.5\t221.8\n"
                               "Moon\t4\t_(\"Plato\",\"crater\")\tAA\t51.6\t-9.4\t100.7\n"));
        QString error;
        const QList<GazetteerEntry> g = readGazetteer(dir.filePath("g.txt"), &error);
        QVERIFY(error.isEmpty());
        QCOMPARE(g.size(), 6);
        QCOMPARE(g[0].iauName, QStringLiteral("Copernicus"));
        QCOMPARE(g[0].origin, QStringLiteral("Nicolaus; Polish astronomer (1473-1543)."));
        QVERIFY(std::abs(g[0].longitude - (-20.0786)) < 1e-9);
        QVERIFY(g[1].origin.isEmpty());
        QCOMPARE(g[2].origin, QStringLiteral("\"Sea of Crises.\""));

        QStringList notes;
        const QList<AtlasFeature> c = atlasCandidates(g, &notes);
        QStringList names;
        for (const auto& f : c)
            names.append(f.name);
        // The landing sites first, then the named features by size: wrinkle
        // ridges now among them, but no satellite craters, no other kinds and
        // no crater whose name the program would read as a mare.
        QCOMPARE(names.first(), QStringLiteral("Luna 2 Landing (inslag)"));
        const qsizetype firstNamed = landingSites().size();
        QCOMPARE(names.mid(firstNamed),
                 QStringList({"Mare Crisium", "Dorsa Smirnov", "Plato", "Copernicus"}));
        QVERIFY(c[firstNamed + 2].wellKnown && !c[firstNamed].wellKnown);
        QVERIFY(!names.contains(QStringLiteral("Maremma")));
        QVERIFY(notes.filter(QStringLiteral("Maremma")).size() == 1);
        // A well-known name the gazetteer lacks is reported, not silently lost.
        QVERIFY(!notes.filter(QStringLiteral("well-known name not in the gazetteer: Tycho")).isEmpty());

        QCOMPARE(readGazetteer(dir.filePath("missing.txt"), &error).size(), 0);
        QVERIFY(!error.isEmpty());
    }

    void viewChoiceKeepsTheLitVisibleSide()
    {
        const ViewGeometry* ek = viewGeometryFor(QStringLiteral("maan_ek.bmp"));
        Sun sun;
        QVERIFY(viewSun(*ek, &sun));
        QList<AtlasFeature> candidates;
        auto add = [&](const char* name, double lat, double lon) {
            AtlasFeature f;
            f.name = QString::fromUtf8(name);
            f.typeCode = QStringLiteral("AA");
            f.latitude = lat;
            f.longitude = lon;
            f.diameterKm = 50;
            candidates.append(f);
        };
        add("East", 0, 40);     // lit
        add("West", 0, -40);    // night side at first quarter
        add("Far", 0, 150);     // behind the limb
        add("Photo", 10, 30);
        const QList<AtlasFeature> chosen = chooseForView(candidates, *ek, &sun, 760, 1170, {QStringLiteral("Photo")});
        QCOMPARE(chosen.size(), 2);
        // The photograph outranks a crater of its size.
        QCOMPARE(chosen[0].name, QStringLiteral("Photo *"));
        QCOMPARE(chosen[1].name, QStringLiteral("East"));
        // Without a sun (full moon) the western one is in, the far one never.
        QCOMPARE(chooseForView(candidates, *ek, nullptr, 760, 1170, {}).size(), 2);   // West is off the bitmap
        const ViewGeometry* vm = viewGeometryFor(QStringLiteral("maan_vm.bmp"));
        QCOMPARE(chooseForView(candidates, *vm, nullptr, 1144, 1090, {}).size(), 3);
    }

    void aCraterIsJudgedByItsLitRim()
    {
        const Sun sun{0, 90};   // first quarter: the morning terminator on the prime meridian
        // The rim that faces the sun lies one radius from the centre, towards the sun.
        double lat, lon;
        litRim(crater(QStringLiteral("Big"), -5, -1, 140), sun, &lat, &lon);
        QVERIFY(std::abs(degreesApart(-5, -1, lat, lon) - 70 / 1737.4 * RadToDeg) < 1e-9);
        QVERIFY(lon > -1 && degreesApart(lat, lon, 0, 90) < degreesApart(-5, -1, 0, 90));
        // A rille is seen along its length, not round a rim; under an overhead
        // sun every side is lit alike.
        litRim(crater(QStringLiteral("Rima Lang"), -5, -1, 140, "RI"), sun, &lat, &lon);
        QCOMPARE(lat, -5.0);
        QCOMPARE(lon, -1.0);
        litRim(crater(QStringLiteral("Onder"), 0, 90, 140), sun, &lat, &lon);
        QVERIFY(std::abs(lat) < 1e-12 && std::abs(lon - 90) < 1e-12);

        // A large crater whose floor is still dark is in the quarter view, a
        // small one at the same place is not, and neither is a rille there.
        const ViewGeometry* ek = viewGeometryFor(QStringLiteral("maan_ek.bmp"));
        Sun ekSun;
        QVERIFY(viewSun(*ek, &ekSun));
        const double night = ekSun.longitude - 90 - 1.0;   // a degree into the night
        // A lit sea near the limb stays, though its far shore lies out of view.
        QList<AtlasFeature> candidates{crater(QStringLiteral("Hipparchus"), -5, night, 140),
                                       crater(QStringLiteral("Klein"), -5, night, 40),
                                       crater(QStringLiteral("Rima Donker"), -5, night, 140, "RI"),
                                       crater(QStringLiteral("Oceanus Oost"), 20, ekSun.longitude - 30, 2568, "OC")};
        QStringList names;
        for (const auto& f : chooseForView(candidates, *ek, &ekSun, 760, 1170, {}))
            names.append(f.name);
        QCOMPARE(names, QStringList({"Oceanus Oost", "Hipparchus"}));
    }

    void fullMoonSightsTakeTheirPlaceWhateverTheirSize()
    {
        QVERIFY(isFullMoonSight(QStringLiteral("Glushko")) && isWellKnown(QStringLiteral("Glushko")));
        QVERIFY(!isFullMoonSight(QStringLiteral("Clavius")));
        // 800 large craters would fill the table; a small rayed crater still gets in
        // at full moon, but ranks by its size in a quarter view.
        const ViewGeometry* vm = viewGeometryFor(QStringLiteral("maan_vm.bmp"));
        QList<AtlasFeature> many;
        for (int i = 0; i < 800; ++i)
            many.append(crater(QStringLiteral("C%1").arg(i), -50 + (i % 30) * 3.3, -50 + (i / 30) * 3.3, 60));
        AtlasFeature bode = crater(QStringLiteral("Bode"), 6.7, -2.45, 18);
        bode.wellKnown = bode.fullMoonSight = true;
        many.append(bode);
        auto names = [](const QList<AtlasFeature>& list) {
            QStringList out;
            for (const auto& f : list)
                out.append(f.name);
            return out;
        };
        const QStringList fullMoon = names(chooseForView(many, *vm, nullptr, 1144, 1090, {}));
        QCOMPARE(fullMoon.size(), FeatureTableSize - FreeSlotsForUser);
        QCOMPARE(fullMoon.first(), QStringLiteral("Bode"));
        const ViewGeometry* ek = viewGeometryFor(QStringLiteral("maan_ek.bmp"));
        Sun sun;
        QVERIFY(viewSun(*ek, &sun));
        bode.longitude = sun.longitude - 60;
        const QList<AtlasFeature> lit{crater(QStringLiteral("Groot"), 10, sun.longitude - 60, 60), bode};
        QCOMPARE(names(chooseForView(lit, *ek, &sun, 760, 1170, {})), QStringList({"Groot", "Bode"}));
    }

    void viewChoiceRanksByWhatTheUserCanSee()
    {
        const ViewGeometry* vm = viewGeometryFor(QStringLiteral("maan_vm.bmp"));
        const double kmPerPixel = 1737.4 / vm->bitmapRadius();
        // Apparent size: the scale of the view, the foreshortening, and a
        // fraction for a long, narrow feature.
        const AtlasFeature centre = crater("Centre", -1.0, -4.8, 30, "AA");
        QVERIFY(std::abs(apparentPixels(centre, *vm) - 30 / kmPerPixel) < 1e-9);
        AtlasFeature limb = centre;
        limb.longitude = 60 - 4.8;   // cos c = 0.5
        QVERIFY(std::abs(apparentPixels(limb, *vm) - 30 / kmPerPixel * std::sqrt(0.5)) < 0.01);
        const AtlasFeature rille = crater("Rima Centre", -1.0, -4.8, 30, "RI");
        QVERIFY(std::abs(apparentPixels(rille, *vm) - 0.3 * 30 / kmPerPixel) < 1e-9);

        // Below about 3 pixels only landing sites and well-known names stay.
        QList<AtlasFeature> small{crater("Tiny", 5, 5, 2 * kmPerPixel, "AA"),
                                  crater("Linné", 27.7, 11.8, 2.2, "AA"),
                                  crater("Site Landing", -5, 5, 0, "LS"),
                                  crater("Visible", 10, -10, 3.5 * kmPerPixel, "AA")};
        small[1].wellKnown = true;
        QStringList names;
        for (const auto& f : chooseForView(small, *vm, nullptr, 1144, 1090, {}))
            names.append(f.name);
        QCOMPARE(names, QStringList({"Site Landing", "Linné", "Visible"}));

        // Never more than the table's 700 features; the smallest apparent
        // sizes make room, but a photograph lifts a crater above its size.
        QList<AtlasFeature> many;
        for (int i = 0; i < 900; ++i)
            many.append(crater(QStringLiteral("C%1").arg(i), -50 + (i % 30) * 3.3, -50 + (i / 30) * 3.3, 30));
        const QList<AtlasFeature> kept = chooseForView(many, *vm, nullptr, 1144, 1090, {QStringLiteral("C0")});
        QCOMPARE(kept.size(), FeatureTableSize - FreeSlotsForUser);
        QCOMPARE(kept.first().name, QStringLiteral("C0 *"));   // far south-west, but photographed
        double smallestKept = 1e9, largestDropped = 0;
        QSet<QString> keptNames;
        for (const auto& f : kept)
            keptNames.insert(f.name);
        for (const auto& f : many) {
            const double px = apparentPixels(f, *vm);
            if (keptNames.contains(f.name))
                smallestKept = std::min(smallestKept, px);
            else if (!keptNames.contains(f.name + QStringLiteral(" *")))
                largestDropped = std::max(largestDropped, px);
        }
        QVERIFY(largestDropped <= smallestKept);
    }

    void viewChoiceKeepsMarkersApart()
    {
        const ViewGeometry* vm = viewGeometryFor(QStringLiteral("maan_vm.bmp"));
        const double degreePerPixel = 1737.4 / vm->bitmapRadius() / 1737.4 * 57.29577951308232;
        QList<AtlasFeature> candidates;
        auto add = [&](const QString& name, const char* code, double dx, double dy, double km) {
            AtlasFeature f;
            f.name = name;
            f.typeCode = QString::fromLatin1(code);
            f.latitude = -1.0 + dy * degreePerPixel;
            f.longitude = -4.8 + dx * degreePerPixel;
            f.diameterKm = km;
            candidates.append(f);
        };
        // Six markers within a pixel of one another: the three that rank
        // highest, the landing site first.
        add(QStringLiteral("Site Landing"), "LS", 0, 0, 0);
        for (int i = 0; i < 5; ++i)
            add(QStringLiteral("K%1").arg(i), "AA", 0.2 * i, 0.1 * i, 40 - i);
        // A star: a crater with two close neighbours takes no third one, even
        // where the third lies far enough from the two others.
        add(QStringLiteral("Hub"), "AA", 100, 0, 50);
        add(QStringLiteral("West"), "AA", 97.5, 0, 20);
        add(QStringLiteral("East"), "AA", 102.5, 0, 20);
        add(QStringLiteral("North"), "AA", 100, 2.5, 19);
        add(QStringLiteral("Far"), "AA", 100, 3.5, 18);
        QStringList names;
        for (const auto& f : chooseForView(candidates, *vm, nullptr, 1144, 1090, {}))
            names.append(f.name);
        QCOMPARE(names, QStringList({"Site Landing", "Hub", "K0", "K1", "West", "East", "Far"}));
    }

    void sheetTitlesNameTheBestKnownLandmark()
    {
        using namespace atlassheets;
        // Surface points inside sheet 31's cell on the index picture.
        const ReferencePoint p = sheetReferencePoint(31);
        auto inCell = [&](const QString& name, const char* code, double fx, double fy, double km, bool known = false) {
            double lat, lon;
            unprojectOrthographic((p.x + fx * CellWidth / 2 - DiscCentreX) / double(DiscRadius),
                                  (DiscCentreY - p.y - fy * CellHeight / 2) / double(DiscRadius), 0, 0, &lat, &lon);
            AtlasFeature f = crater(name, lat, lon, km, code);
            f.wellKnown = known;
            return f;
        };
        // Of the features of the full-moon index: no landing site, then any
        // crater before a larger sea, a well-known crater before a larger one.
        QList<AtlasFeature> cell{inCell(QStringLiteral("Oceanus Magnus"), "OC", 0, 0, 2000),
                                 inCell(QStringLiteral("Site Landing"), "LS", 0.1, 0.1, 0)};
        QCOMPARE(sheetTitle(31, cell), QStringLiteral("Oceanus Magnus"));
        cell.append(inCell(QStringLiteral("Groot"), "AA", -0.5, 0.5, 100));
        QCOMPARE(sheetTitle(31, cell), QStringLiteral("Groot"));
        cell.append(inCell(QStringLiteral("Fra\u00A0Klein"), "AA", 0.5, -0.5, 30, true));
        QCOMPARE(sheetTitle(31, cell), QStringLiteral("Fra Klein"));
        // A photograph of any kind comes first, and among photographs a
        // well-known feature before a larger one, a well-known crater first.
        cell.append(inCell(QStringLiteral("Mare Foto *"), "ME", 0.2, 0.2, 300));
        QCOMPARE(sheetTitle(31, cell), QStringLiteral("Mare Foto"));
        cell.append(inCell(QStringLiteral("Rimae Bekend *"), "RI", -0.2, 0.2, 200, true));
        QCOMPARE(sheetTitle(31, cell), QStringLiteral("Rimae Bekend"));
        cell.append(inCell(QStringLiteral("Kleintje *"), "AA", 0.3, 0.3, 10, true));
        QCOMPARE(sheetTitle(31, cell), QStringLiteral("Kleintje"));
        // A crater just outside the cell does not count; an empty cell takes the
        // nearest feature.
        QCOMPARE(sheetTitle(32, {inCell(QStringLiteral("Buur"), "AA", 0.9, 0, 50),
                                 inCell(QStringLiteral("Rand"), "AA", 1.1, 0, 10)}),
                 QStringLiteral("Rand"));
    }

    // Every sheet's point, row by row, lies in the middle of its own cell as
    // the index picture draws it: a dark outline with a light halo, 94 x 130.
    void sheetReferencePointsOnThePicture()
    {
        using namespace atlassheets;
        QCOMPARE(sheetReferencePoint(0).x, 0);
        QCOMPARE(sheetReferencePoint(77).y, 0);
        const QImage index(atlasFile(QStringLiteral("atlasindex.jpg")));
        QVERIFY(!index.isNull());
        const auto grey = [&index](int x, int y) { return qGray(index.pixel(x, y)); };
        // The outline at (x, y): darker than the halo beside it, across the line.
        const auto outlineAt = [&](int x, int y, bool vertical) {
            const int dx = vertical ? 1 : 0, dy = vertical ? 0 : 1;
            return grey(x, y) < 110 && grey(x - dx, y - dy) - grey(x, y) > 60 && grey(x + dx, y + dy) - grey(x, y) > 60;
        };
        const int rowSizes[] = {7, 9, 11, 11, 11, 11, 9, 7};
        int n = 1;
        for (int row = 0; row < 8; ++row) {
            for (int k = 0; k < rowSizes[row]; ++k, ++n) {
                const ReferencePoint p = sheetReferencePoint(n);
                const ReferencePoint first = sheetReferencePoint(n - k);
                QCOMPARE(p.y, first.y);
                QCOMPARE(p.x, first.x + k * CellWidth);
                const int left = p.x - CellWidth / 2, right = p.x + CellWidth / 2;
                const int top = p.y - CellHeight / 2, bottom = p.y + CellHeight / 2;
                for (int t : {-20, 0, 20}) {
                    QVERIFY2(outlineAt(left, p.y + t, true) && outlineAt(right, p.y + t, true), qPrintable(QString::number(n)));
                    QVERIFY2(outlineAt(p.x + t, top, false) && outlineAt(p.x + t, bottom, false), qPrintable(QString::number(n)));
                }
                // The cell reaches the disc.
                const double nx = std::clamp(double(DiscCentreX), p.x - CellWidth / 2.0, p.x + CellWidth / 2.0);
                const double ny = std::clamp(double(DiscCentreY), p.y - CellHeight / 2.0, p.y + CellHeight / 2.0);
                QVERIFY2(std::hypot(nx - DiscCentreX, ny - DiscCentreY) < DiscRadius, qPrintable(QString::number(n)));
            }
        }
        QCOMPARE(n - 1, SheetCount);
        // Rows are 130 pixels apart, and no cell leaves the picture.
        QCOMPARE(sheetReferencePoint(8).y - sheetReferencePoint(1).y, CellHeight);
        QVERIFY(sheetReferencePoint(17).x - CellWidth / 2 >= 0 && sheetReferencePoint(27).x + CellWidth / 2 < PictureWidth);
        QVERIFY(sheetReferencePoint(76).y + CellHeight / 2 < PictureHeight);
    }

    void photoTableReading()
    {
        TestWorkDir dir;
        QVERIFY(writeWholeFile(dir.filePath("p.txt"),
                               "# comment\n"
                               "= Rupes Recta\n"
                               "naam: Latijn voor\n"
                               "  \"rechte wand\".\n"
                               "kijk: Een lijn.\n"
                               "ochtend: Donker.\n"
                               "avond: Licht.\n"));
        QString error;
        const QList<PhotoEntry> table = readPhotoTable(dir.filePath("p.txt"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(table.size(), 1);
        QCOMPARE(table[0].name, QStringLiteral("Rupes Recta"));
        QCOMPARE(table[0].origin, QStringLiteral("Latijn voor \"rechte wand\"."));
        QCOMPARE(table[0].morning, QStringLiteral("Donker."));
        QCOMPARE(table[0].evening, QStringLiteral("Licht."));

        // Each extra photograph has its own text: one shared low-sun text, or
        // only one of the two, is refused.
        QVERIFY(writeWholeFile(dir.filePath("bad.txt"), "= Tycho\nnaam: x\nkijk: y\nochtend: z\n"));
        QVERIFY(readPhotoTable(dir.filePath("bad.txt"), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String("incomplete")));
        QVERIFY(writeWholeFile(dir.filePath("shared.txt"), "= Tycho\nnaam: x\nkijk: y\nlaag: z\n"));
        QVERIFY(readPhotoTable(dir.filePath("shared.txt"), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String(":4:")));
        QVERIFY(writeWholeFile(dir.filePath("odd.txt"), "= Tycho\nkleur: grijs\n"));
        QVERIFY(readPhotoTable(dir.filePath("odd.txt"), &error).isEmpty());
        QVERIFY(error.contains(QLatin1String(":2:")));

        QCOMPARE(dutchPosition(-43.2958, -11.2153), QString::fromUtf8("43,3° zuiderbreedte, 11,2° westerlengte"));

        // What telescopes show, and the sun of an extra photograph.
        QVERIFY(writeWholeFile(dir.filePath("sun.txt"), "= Purbach\nnaam: x\nkijk: y\nochtend: z\navond: w\n"
                                                         "kijker: een telescoop\n  toont het\n"
                                                         "ochtendzon: colongitude 358.5\navondzon: 2.5\n"));
        error.clear();
        const QList<PhotoEntry> sunTable = readPhotoTable(dir.filePath("sun.txt"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(sunTable[0].instruments, QStringLiteral("een telescoop toont het"));
        QVERIFY(sunTable[0].morningSun.kind == SunSetting::Kind::Colongitude);
        QCOMPARE(sunTable[0].morningSun.degrees, 358.5);
        QVERIFY(sunTable[0].eveningSun.kind == SunSetting::Kind::Elevation);
        QCOMPARE(sunTable[0].eveningSun.degrees, 2.5);
        for (const char* bad : {"ochtendzon: hoog\n", "avondzon: 95\n", "ochtendzon: colongitude 400\n"}) {
            QVERIFY(writeWholeFile(dir.filePath("badsun.txt"),
                                   QByteArray("= Tycho\nnaam: x\nkijk: y\nochtend: z\navond: w\n") + bad));
            QVERIFY2(readPhotoTable(dir.filePath("badsun.txt"), &error).isEmpty(), bad);
            QVERIFY(error.contains(QLatin1String("sun")));
        }
    }

    void photographSunAndWhenToLook()
    {
        // Colongitude 0 at first quarter, 90 at full moon; the age follows it.
        QCOMPARE(colongitude(Sun{0, 90}), 0.0);
        QCOMPARE(colongitude(Sun{0, 0}), 90.0);
        QCOMPARE(colongitude(Sun{0, -90}), 180.0);
        QVERIFY(std::abs(moonAgeDays(Sun{0, 90}) - 29.530589 / 4) < 1e-9);
        QVERIFY(std::abs(moonAgeDays(Sun{0, -90}) - 29.530589 * 3 / 4) < 1e-9);
        // The Lunar X: a few hours before first quarter.
        const Sun x = sunFor(SunSetting{SunSetting::Kind::Colongitude, 358.5}, -25, 1, 10, true);
        QVERIFY(std::abs(colongitude(x) - 358.5) < 1e-9);
        QVERIFY(moonAgeDays(x) < 29.530589 / 4 && moonAgeDays(x) > 29.530589 / 4 - 0.25);
        // An elevation setting puts the sun that high over the feature, east of
        // it in the morning and west of it in the evening.
        for (bool morning : {true, false}) {
            const Sun s = sunFor(SunSetting{SunSetting::Kind::Elevation, 4}, -22, -7.8, 15, morning);
            const double elevation =
                std::asin(surfaceUp(s.latitude, s.longitude).dot(surfaceUp(-22, -7.8))) * RadToDeg;
            QVERIFY(std::abs(elevation - 4) < 1e-6);
            QVERIFY(morning ? s.longitude > -7.8 : s.longitude < -7.8);
        }
        const Sun fallback = sunFor(SunSetting{}, -22, -7.8, 15, true);
        QVERIFY(std::abs(std::asin(surfaceUp(fallback.latitude, fallback.longitude).dot(surfaceUp(-22, -7.8)))
                         * RadToDeg - 15) < 1e-6);

        GazetteerEntry copernicus;
        copernicus.iauName = QStringLiteral("Copernicus");
        copernicus.typeCode = QStringLiteral("AA");
        copernicus.latitude = 9.6;
        copernicus.longitude = -20.1;
        copernicus.diameterKm = 96;
        const QString when = whenToLook(copernicus, QStringLiteral("Copernicus"), Sun{0, 90}, QString());
        QVERIFY2(when.startsWith(QStringLiteral("Zo ziet u dit ongeveer 7 dagen na nieuwe maan, bij een colongitude "
                                                "van 0°; een verrekijker toont Copernicus")),
                 qPrintable(when));
        QVERIFY(when.contains(QLatin1String("60 mm")) && when.contains(QLatin1String("150 mm")) && when.endsWith('.'));
        // The table's own words win; a kind the generator cannot judge says nothing by itself.
        QCOMPARE(whenToLook(copernicus, QStringLiteral("Copernicus"), Sun{0, 90}, QStringLiteral("eigen woorden")),
                 QString::fromUtf8("Zo ziet u dit ongeveer 7 dagen na nieuwe maan, bij een colongitude van 0°; "
                                   "eigen woorden."));
        GazetteerEntry rille = copernicus;
        rille.typeCode = QStringLiteral("RI");
        QVERIFY(!whenToLook(rille, QStringLiteral("Rima X"), Sun{0, 90}, QString()).contains(QLatin1String("mm")));
    }

    void textsNameOnlyIndexedFeatures()
    {
        const QStringList gazetteer{"Messier", "Messier A", "Apollo", "Hyginus", "Rima Hyginus", "Plato", "Klein"};
        const QSet<QString> indexed{"Messier", "Rima Hyginus", "Plato"};
        // The longest name wins, so "Messier A" is not the indexed Messier.
        QCOMPARE(namesNotInIndex(QStringLiteral("Messier en Messier A liggen in de zee."), gazetteer, indexed),
                 QStringList({"Messier A"}));
        QVERIFY(namesNotInIndex(QStringLiteral("Messier en Messier A (niet in de index)."), gazetteer, indexed)
                    .isEmpty());
        // Whole words only; a spacecraft is not the crater of its name.
        QVERIFY(namesNotInIndex(QStringLiteral("Platoos, Rima Hyginus en Apollo 15."), gazetteer, indexed)
                    .isEmpty());
        QCOMPARE(namesNotInIndex(QStringLiteral("Klein ligt bij Hyginus, aan Rima Hyginus. Klein."), gazetteer,
                                 indexed),
                 QStringList({"Klein", "Hyginus"}));
        // A name an index holds must not be called unmarked; part of a
        // hyphenated name is no name of its own.
        QCOMPARE(indexedNamesCalledUnmarked(QStringLiteral("Plato (niet in de index) en Klein (niet in de index)."),
                                            gazetteer, indexed),
                 QStringList({"Plato"}));
        QVERIFY(indexedNamesCalledUnmarked(QStringLiteral("het dal Taurus-Plato (niet in de index)"), gazetteer,
                                           indexed)
                    .isEmpty());
    }

    // --- the committed data set ------------------------------------------

    void knownFeaturesSitWhereTheGazetteerPutsThem()
    {
        const QList<FeatureRecord> vm = recordsOf(QStringLiteral("maan_vm.dat"));
        struct Known { const char* name; double lat, lon; };
        for (const Known& k : {Known{"Copernicus", 9.6209, -20.0786}, Known{"Tycho", -43.2958, -11.2153},
                               Known{"Mare Crisium", 16.1774, 59.1037}, Known{"Linné", 27.7464, 11.7994},
                               Known{"Apollo 11 Landing", 0.67408, 23.47297},
                               Known{"Ranger 7 Landing (inslag)", -10.6346, -20.6771},
                               Known{"Apollo 16 S-IVB Landing (inslag)", 1.922, -25.62},
                               Known{"Hakuto-R M2 Landing (inslag)", 60.5, -4.6},
                               Known{"Bode", 6.7101, -2.4521}}) {
            const QString name = QString::fromUtf8(k.name);
            const FeatureRecord* found = nullptr;
            for (const auto& r : vm)
                if (r.name() == name || r.name() == name + QStringLiteral(" *"))
                    found = &r;
            QVERIFY2(found, k.name);
            const QPointF p = expectedPosition("maan_vm.bmp", k.lat, k.lon);
            QVERIFY2(std::abs(found->x() - p.x()) <= 1.0 && std::abs(found->y() - p.y()) <= 1.0, k.name);
        }
    }

    void indexFilesFitTheirViews()
    {
        for (const char* view : kViews) {
            const QString bmp = QString::fromLatin1(view);
            const QImage picture(atlasFile(bmp));
            QVERIFY2(!picture.isNull(), view);
            QVERIFY(picture.isGrayscale());
            QCOMPARE(readWholeFile(atlasFile(indexFileNameFor(bmp))).size(), IndexFileSize);

            const QList<FeatureRecord> records = recordsOf(indexFileNameFor(bmp));
            QVERIFY(records.size() > 300 && records.size() <= FeatureTableSize);
            int landings = 0;
            for (const auto& r : records) {
                const QString name = r.name();
                QVERIFY(r.nameLength <= FeatureRecord::MaxNameLength);
                for (int i = 0; i < r.nameLength; ++i) {
                    const uchar b = uchar(r.nameChars[i]);
                    // Control characters and the five bytes the code page leaves unassigned.
                    QVERIFY2(b >= 0x20 && b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D,
                             qPrintable(name));
                }
                QVERIFY2(hasKindTheProgramReads(name), qPrintable(name));
                landings += name.contains(QLatin1String("Landing"));
                // On the bitmap, and on its lit part: some pixel near the marker is
                // not black, or, in a quarter view, one towards the sun (east at
                // first quarter) where the crater's sunlit wall lies.
                const int c = int(r.x() / 2), row = int(r.y() / 2);
                QVERIFY2(c >= 0 && row >= 0 && c < picture.width() && row < picture.height(), qPrintable(name));
                const int towardsSun = bmp == QLatin1String("maan_ek.bmp")   ? 1
                                       : bmp == QLatin1String("maan_lk.bmp") ? -1
                                                                             : 0;
                // A sea's lit shore may lie hundreds of pixels from its centre.
                const bool sea = std::any_of(std::begin(kSeaWords), std::end(kSeaWords),
                                             [&](const char* w) { return name.startsWith(QLatin1String(w)); });
                const int direction = towardsSun ? towardsSun : 1;
                const int reach = !towardsSun ? 4 : sea ? 450 : 104;
                bool lit = false;
                for (int dy = -4; dy <= 4 && !lit; ++dy)
                    for (int dx = -4; dx <= reach && !lit; ++dx)
                        lit = QRect(QPoint(), picture.size()).contains(c + direction * dx, row + dy)
                              && qGray(picture.pixel(c + direction * dx, row + dy)) > 0;
                QVERIFY2(lit, qPrintable(QStringLiteral("%1 in %2").arg(name, bmp)));
            }
            QVERIFY(landings >= 10);
        }
    }

    void indexesLeaveRoomAndKeepMarkersApart()
    {
        for (const char* view : kViews) {
            const QList<FeatureRecord> records = recordsOf(indexFileNameFor(QString::fromLatin1(view)));
            QVERIFY2(records.size() <= FeatureTableSize - 100, view);
            // No marker has more than two others within 3 bitmap pixels
            // (6 half-pixels).
            for (const auto& a : records) {
                QStringList crowd;
                for (const auto& b : records)
                    if (std::hypot(a.x() - b.x(), a.y() - b.y()) <= 6.0)
                        crowd.append(b.name());
                QVERIFY2(crowd.size() <= 3, qPrintable(QStringLiteral("%1: %2").arg(view, crowd.join(", "))));
            }
        }
    }

    void fullMoonShowsTheClassicCraters()
    {
        QSet<QString> names;
        for (const auto& r : recordsOf(QStringLiteral("maan_vm.dat")))
            names.insert(r.name());
        for (const char* crater : {"Thales", "Kant", "Lambert", "Hortensius", "Dionysius", "Censorinus", "Bessel",
                                   "Linné", "Mösting", "Picard", "Peirce"})
            QVERIFY2(names.contains(QString::fromUtf8(crater)), crater);
        QVERIFY(names.contains(QStringLiteral("Reiner Gamma")));
        QVERIFY(names.contains(QStringLiteral("Dorsa Smirnov")));
    }

    void viewsShowTheirShowpieces()
    {
        // The big craters whose sunlit walls are the sight along the terminator
        // at the quarters, while their floors may still be dark.
        const QSet<QString> ek = plainNamesOf(QStringLiteral("maan_ek.dat"));
        for (const char* name : {"Hipparchus", "Albategnius", "Aliacensis", "Faraday", "Cassini", "W. Bond",
                                 "Rhaeticus", "Zach"})
            QVERIFY2(ek.contains(QString::fromUtf8(name)), name);
        const QSet<QString> lk = plainNamesOf(QStringLiteral("maan_lk.dat"));
        for (const char* name : {"Aliacensis", "Apianus", "Licetus", "Curtius", "Barrow"})
            QVERIFY2(lk.contains(QString::fromUtf8(name)), name);
        // The full moon's bright-rayed and bright-floored craters, small ones included.
        const QSet<QString> vm = plainNamesOf(QStringLiteral("maan_vm.dat"));
        for (const char* name : {"Glushko", "Bode", "Alfraganus", "Conon", "Lichtenberg", "Carlini", "Helicon",
                                 "Le Verrier"})
            QVERIFY2(vm.contains(QString::fromUtf8(name)), name);
        for (const auto& name : fullMoonSightNames())
            QVERIFY2(vm.contains(name), qPrintable(name));
    }

    void everyImpactIsMarked()
    {
        QHash<QString, bool> impact;   // craft -> struck the surface
        for (const auto& s : landingSites())
            impact.insert(QString::fromUtf8(s.craft), s.impact);
        QSet<QString> shown;
        for (const char* view : kViews) {
            for (const auto& r : recordsOf(indexFileNameFor(QString::fromLatin1(view)))) {
                const QString name = r.name();
                const qsizetype at = name.indexOf(QLatin1String(" Landing"));
                if (at < 0)
                    continue;
                const QString craft = name.left(at);
                QVERIFY2(impact.contains(craft), qPrintable(name));
                QCOMPARE(name, craft + (impact[craft] ? QStringLiteral(" Landing (inslag)")
                                                      : QStringLiteral(" Landing")));
                shown.insert(craft);
            }
        }
        // The crashes found again in orbital pictures or tracked to the surface,
        // all on the near side: probes, the Saturn V third stages, and the
        // ascent stages sent down after the crews had left them.
        for (const char* craft : {"Luna 2", "Luna 5", "Luna 7", "Luna 8", "Luna 15", "Luna 18", "Surveyor 2",
                                  "Surveyor 4", "Beresheet", "Chandrayaan-2", "Hakuto-R M1", "Hakuto-R M2", "Luna 25",
                                  "Ranger 7", "Apollo 13 S-IVB", "Apollo 14 S-IVB", "Apollo 15 S-IVB",
                                  "Apollo 16 S-IVB", "Apollo 17 S-IVB", "Apollo 12 opstijgtrap",
                                  "Apollo 14 opstijgtrap", "Apollo 15 opstijgtrap", "Apollo 17 opstijgtrap",
                                  "Chang'e 5 opstijgtrap"})
            QVERIFY2(shown.contains(QString::fromUtf8(craft)), craft);
        // A site on the night side of a quarter view is not in that view.
        QStringList lastQuarter;
        for (const auto& r : recordsOf(QStringLiteral("maan_lk.dat")))
            lastQuarter.append(r.name());
        QVERIFY(!lastQuarter.contains(QStringLiteral("Luna 25 Landing (inslag)")));
        QVERIFY(lastQuarter.contains(QStringLiteral("Luna 8 Landing (inslag)")));
    }

    void viewsShowTheRightSideLit()
    {
        const QImage vm(atlasFile(QStringLiteral("maan_vm.bmp")));
        QCOMPARE(vm.size(), QSize(1144, 1090));
        QVERIFY(qGray(vm.pixel(572, 545)) > 40);              // disc centre
        QVERIFY(qGray(vm.pixel(572 + 536 + 4, 545)) == 0);   // just beyond the limb
        QVERIFY(qGray(vm.pixel(572 - 536 + 8, 545)) > 40);   // just inside it

        const QImage ek(atlasFile(QStringLiteral("maan_ek.bmp")));
        QCOMPARE(ek.height(), 1170);
        QVERIFY(ek.width() > 186 + 534 && ek.width() < 186 + 534 + 60);
        QVERIFY(qGray(ek.pixel(186 + 480, 585)) > 30);   // near the eastern limb: full light
        QVERIFY(qGray(ek.pixel(60, 585)) == 0);          // the night side

        const QImage lk(atlasFile(QStringLiteral("maan_lk.bmp")));
        QCOMPARE(lk.height(), 1230);
        QVERIFY(qGray(lk.pixel(655 - 480, 615)) > 30);
        QVERIFY(qGray(lk.pixel(lk.width() - 2, 615)) == 0);

        const QImage title(atlasFile(QStringLiteral("titelmaan.bmp")));
        QCOMPARE(title.size(), QSize(210, 200));
        QVERIFY(qGray(title.pixel(105, 100)) > 40 && qGray(title.pixel(2, 2)) == 0);
    }

    void bitmapsAreReproducible()
    {
        // 8-bit BMP rows are padded to 4 bytes; padding left uninitialised
        // would make every regeneration differ.
        for (const char* name : {"maan_ek.bmp", "maan_vm.bmp", "maan_lk.bmp", "titelmaan.bmp"}) {
            const QByteArray bmp = readWholeFile(atlasFile(QString::fromLatin1(name)));
            QVERIFY(bmp.size() > 54 && bmp.startsWith("BM"));
            auto le = [&](int at, int bytes) {
                qint64 v = 0;
                for (int i = bytes - 1; i >= 0; --i)
                    v = (v << 8) | uchar(bmp[at + i]);
                return v;
            };
            const qint64 offset = le(10, 4), width = le(18, 4), height = std::abs(qint32(le(22, 4)));
            QCOMPARE(le(28, 2), 8);
            const qint64 stride = (width + 3) / 4 * 4;
            QCOMPARE(qint64(bmp.size()), offset + stride * height);
            for (qint64 row = 0; row < height; ++row)
                for (qint64 pad = width; pad < stride; ++pad)
                    QVERIFY2(bmp[offset + row * stride + pad] == 0, name);
        }
    }

    void everyPhotographHasItsFiles()
    {
        int photographed = 0;
        QSet<QString> seen;
        for (const char* view : kViews) {
            for (const auto& r : recordsOf(indexFileNameFor(QString::fromLatin1(view)))) {
                if (!hasPhotographMark(r.name()))
                    continue;
                const QString jpg = photographFileName(r.name());
                QVERIFY2(isBareFileName(jpg), qPrintable(jpg));
                if (seen.contains(jpg))
                    continue;
                seen.insert(jpg);
                ++photographed;
                const QString base = fileBaseName(jpg);
                for (const QString& name : {base, base + QLatin1Char('1'), base + QLatin1Char('2')}) {
                    JpegInfo info;
                    QVERIFY2(readJpegInfo(readWholeFile(atlasFile(name + QStringLiteral(".jpg"))), &info),
                             qPrintable(name));
                    QVERIFY(info.width <= 800 && info.height <= 600 && info.components == 1);
                    const QByteArray text = readWholeFile(atlasFile(name + QStringLiteral(".txt")));
                    QVERIFY2(text.size() > 200, qPrintable(name));
                    const QString decoded = fromCp1252(text);
                    QVERIFY2(decoded.contains(QChar(0xB0)), qPrintable(name));        // a degree sign, one byte
                    QVERIFY2(!decoded.contains(QChar(0xC3)), qPrintable(name));       // no UTF-8 left over
                    QVERIFY2(decoded.startsWith(base), qPrintable(name));
                }
                // The two extra photographs each say what their own picture shows.
                auto paragraphs = [&](const QString& name) {
                    const QStringList list = fromCp1252(readWholeFile(atlasFile(name + QStringLiteral(".txt"))))
                                                 .split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
                    return QSet<QString>(list.begin(), list.end());
                };
                QVERIFY2(!paragraphs(base + QLatin1Char('1')).intersects(paragraphs(base + QLatin1Char('2'))),
                         qPrintable(base));
            }
        }
        QVERIFY(photographed >= 100);
    }

    void atlasIndexAndSheetTitlesAgree()
    {
        JpegInfo info;
        QVERIFY(readJpegInfo(readWholeFile(atlasFile(QStringLiteral("atlasindex.jpg"))), &info));
        QCOMPARE(info.width, atlassheets::PictureWidth);
        QCOMPARE(info.height, atlassheets::PictureHeight);
        QCOMPARE(info.components, 1);
        QVERIFY(info.progressive);

        const QString text = fromCp1252(readWholeFile(atlasFile(QStringLiteral("kaarten.txt"))));
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), atlassheets::SheetCount);
        for (int n = 1; n <= atlassheets::SheetCount; ++n) {
            const QString& line = lines[n - 1];
            const qsizetype dot = line.indexOf(QLatin1Char('.'));
            bool ok = false;
            QCOMPARE(line.left(dot).toInt(&ok), n);
            QVERIFY(ok);
            QVERIFY2(line.mid(dot + 1).trimmed().size() >= 3, qPrintable(line));
            QVERIFY(!line.contains(QLatin1Char('\r')));
        }
        // Sheets are titled by their landmark, not by the largest area that
        // reaches into them, and always by a feature the full-moon index holds,
        // the view the index map shows.
        for (const char* title : {"31. Copernicus", "64. Tycho", "18. Aristarchus", "39. Grimaldi", "27. Mare Crisium",
                                  "41. Euclides"})
            QVERIFY2(lines.contains(QString::fromLatin1(title)), title);
        const QSet<QString> fullMoon = plainNamesOf(QStringLiteral("maan_vm.dat"));
        for (const QString& line : lines)
            QVERIFY2(fullMoon.contains(line.mid(line.indexOf(QLatin1Char('.')) + 2)), qPrintable(line));
        auto titleOf = [&](int n) { return lines[n - 1].mid(lines[n - 1].indexOf(QLatin1Char('.')) + 2); };
        const QStringList sheet10{"Sinus Iridum", "Montes Jura", "Promontorium Heraclides", "Promontorium Laplace"};
        QVERIFY2(sheet10.contains(titleOf(10)), qPrintable(titleOf(10)));
        QVERIFY2(QStringList({"Triesnecker", "Rimae Triesnecker"}).contains(titleOf(33)), qPrintable(titleOf(33)));
        QVERIFY2(QStringList({"Arago", "Sabine", "Ritter"}).contains(titleOf(35)), qPrintable(titleOf(35)));
        QVERIFY2(QStringList({"Maskelyne", "Mare Tranquillitatis"}).contains(titleOf(36)), qPrintable(titleOf(36)));
    }

    void sheetNumbersReadAtHalfSize()
    {
        // Sheet 1's corner lies off the disc, on black: the light halo round the
        // number shows how tall the digits are. The index map opens at half
        // size, where they must be at least 9 pixels tall.
        using namespace atlassheets;
        const QImage index(atlasFile(QStringLiteral("atlasindex.jpg")));
        QVERIFY(!index.isNull());
        const ReferencePoint p = sheetReferencePoint(1);
        const int left = p.x - CellWidth / 2, top = p.y - CellHeight / 2;
        int first = -1, last = -1;
        for (int y = top + 3; y < top + 40; ++y)
            for (int x = left + 3; x < left + 40; ++x)
                if (qGray(index.pixel(x, y)) > 150) {
                    first = first < 0 ? y : first;
                    last = y;
                }
        QVERIFY(first >= 0);
        const int digits = last - first + 1 - 4;   // the halo is 2 pixels wide on either side
        QVERIFY2(digits / 2.0 >= 9, qPrintable(QString::number(digits)));
    }

    void textsSayWhatTheyMean()
    {
        // "Uitwerpselen" is excrement in Dutch; ejecta are "uitgeworpen materiaal".
        const QDir atlas(TestWorkDir::atlasDir());
        int texts = 0;
        for (const QString& file : atlas.entryList({QStringLiteral("*.txt"), QStringLiteral("*.rtf")}, QDir::Files)) {
            const QString text = fromCp1252(readWholeFile(atlas.filePath(file)));
            QVERIFY2(!text.contains(QLatin1String("uitwerpsel"), Qt::CaseInsensitive), qPrintable(file));
            ++texts;
        }
        QVERIFY(texts > 300);
        // Each low-sun explanation says when the Moon looks like that.
        for (const QString& file : atlas.entryList({QStringLiteral("*1.txt"), QStringLiteral("*2.txt")}, QDir::Files)) {
            const QString text = fromCp1252(readWholeFile(atlas.filePath(file)));
            static const QRegularExpression when(QStringLiteral("ongeveer \\d+ dag(en)? na nieuwe maan, bij een "
                                                                "colongitude van \\d+°"));
            QVERIFY2(text.contains(when), qPrintable(file));
        }
    }
};

QTEST_GUILESS_MAIN(TestAtlas)
#include "test_atlas.moc"
